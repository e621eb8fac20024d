// Template line substitution: placeholders, "+" sums, empty words and block numbers.
#include "postprocessor/Macro.h"

#include <cmath>
#include <cstdio>

#include "document/Layer.h"
#include "platform/Messages.h"
#include "postprocessor/Command.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "tools/Tool.h"

namespace {

constexpr double kNotKnown = 2000000.0;
constexpr double kEmpty = 1000000.0;

struct CPlaceholder {
    size_t nOpen = 0;   // "<"
    size_t nClose = 0;  // ">"
    std::string strName;
};

bool FindPlaceholder(const std::string& line, size_t from, CPlaceholder& found) {
    const size_t open = line.find('<', from);
    if (open == std::string::npos) {
        return false;
    }
    const size_t close = line.find('>', open + 1);
    if (close == std::string::npos) {
        return false;
    }
    found = {open, close, line.substr(open + 1, close - open - 1)};
    return true;
}

}  // namespace

std::string CMacro::Generate(const CCommand*, CMacroContext&) const { return ""; }

CProgram* CMacro::GetProgram() const { return m_pPreProcesor ? m_pPreProcesor->GetCurrentProgram() : nullptr; }

CValueChain::Source CMacro::CommandSource(const CCommand* command) const {
    return [command](const std::string& name) { return command ? command->GetParamValue(name) : kNotKnown; };
}

CValueChain::Source CMacro::ProgramSource() const {
    CProgram* program = GetProgram();
    return [program](const std::string& name) { return program ? program->GetValue(name) : kNotKnown; };
}

std::unique_ptr<CLayer> CMacro::CopyCommandLayer(const CCommand* command, const char* key,
                                                 CMacroContext& context) {
    const double value = command ? command->GetParamValue(key) : kNotKnown;
    // Truncated like an int; sentinels and anything else outside 1...6 name no layer.
    const double number = std::trunc(value);
    if (!(number >= 1.0 && number <= 6.0)) {
        return nullptr;
    }
    return context.CopyLayer(static_cast<int>(number) - 1);
}

bool CMacro::SubstituteLine(std::string& line, const CValueChain& chain, bool sums, std::string& missing) const {
    size_t from = 0;
    CPlaceholder ph;
    while (FindPlaceholder(line, from, ph)) {
        const size_t blank = line.rfind(' ', ph.nOpen);
        const size_t wordStart = blank == std::string::npos ? 0 : blank + 1;
        const std::string letters = line.substr(wordStart, ph.nOpen - wordStart);
        if (chain.IsTextVariable(ph.strName)) {
            line.replace(ph.nOpen, ph.nClose - ph.nOpen + 1, chain.GetText());
            from = ph.nOpen + chain.GetText().size();
            continue;
        }
        double value = chain.Lookup(ph.strName);
        if (value > kEmpty) {
            missing = ph.strName;
            return false;
        }
        size_t wordEnd = ph.nClose;  // last character of the placeholder part
        CPlaceholder second;
        if (sums && ph.nClose + 1 < line.size() && line[ph.nClose + 1] == '+' &&
            FindPlaceholder(line, ph.nClose + 2, second) && second.nOpen == ph.nClose + 2) {
            const double addend = chain.Lookup(second.strName);
            if (addend > kEmpty) {
                missing = second.strName;
                return false;
            }
            // An empty second term adds nothing.
            if (value != kEmpty && addend != kEmpty) {
                value += addend;
            }
            wordEnd = second.nClose;
        }
        if (value == kEmpty) {
            // The word and its separating blank go; the line feed always stays.
            size_t eraseStart = wordStart;
            size_t eraseEnd = wordEnd + 1;
            if (eraseEnd < line.size() && line[eraseEnd] != '\n') {
                ++eraseEnd;
            } else if (eraseStart > 0 && line[eraseStart - 1] == ' ') {
                --eraseStart;
            }
            line.erase(eraseStart, eraseEnd - eraseStart);
            from = eraseStart;
            continue;
        }
        const std::string text = m_pPreProcesor ? m_pPreProcesor->FormatValue(letters, value) : std::string();
        line.replace(ph.nOpen, wordEnd - ph.nOpen + 1, text);
        from = ph.nOpen + text.size();
    }
    return true;
}

std::string CMacro::NumberLine(const std::string& line, bool numbered) const {
    if (!numbered || !m_pPreProcesor) {
        return line;
    }
    return m_pPreProcesor->NextSequenceNumber() + line;
}

void CMacro::ReportMissing(const std::string& variable, CMacroContext& context) const {
    if (CMessages* messages = context.GetMessages()) {
        messages->MessageBox("Can not find proper value for variable: " + variable,
                             "Post-processor - Compiling macro: " + m_strName, MessageIcon::Error,
                             MessageButtons::Ok);
    }
}

bool CMacro::GenerateLines(const std::string& text, const CValueChain& chain, bool sums, const NumberRule& rule,
                           std::string& out, CMacroContext& context) const {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); ++count) {
        const size_t lf = text.find('\n', pos);
        pos = lf == std::string::npos ? text.size() : lf + 1;
    }
    size_t index = 0;
    for (size_t pos = 0; pos < text.size(); ++index) {
        const size_t lf = text.find('\n', pos);
        const size_t end = lf == std::string::npos ? text.size() : lf + 1;
        std::string line = text.substr(pos, end - pos);
        pos = end;
        std::string missing;
        if (!SubstituteLine(line, chain, sums, missing)) {
            ReportMissing(missing, context);
            return false;
        }
        out += NumberLine(line, rule(index, count));
    }
    return true;
}

void CMacro::Refuse(const std::string& text, CMacroContext& context) const {
    if (CMessages* messages = context.GetMessages()) {
        messages->MessageBox(text, "PostProcesor - Compiling macro: " + m_strName, MessageIcon::Error,
                             MessageButtons::Ok);
    }
}

const CTool* CMacro::RequireTool(CMacroContext& context) const {
    const CProgram* program = GetProgram();
    const CTool* tool = program ? program->GetBoundTool() : nullptr;
    if (!tool) {
        Refuse("This pass compensates the tool's nose radius: change to a tool that the tool library "
               "(Tools.ini) lists before it.",
               context);
    }
    return tool;
}

bool CMacro::CheckEntryLength(double toZ, double toX, const CTool& tool, const CCommand* command,
                              CMacroContext& context) const {
    CValueChain chain(100000.0);
    chain.Add(CommandSource(command)).Add(ProgramSource());
    const double z = chain.Lookup("AppZ");
    const double x = chain.Lookup("AppX");
    if (z >= 1000000.0 || x >= 1000000.0) {
        return true;
    }
    const double length = std::hypot(toZ - z, toX - x);
    if (length > tool.dNoseRadius) {
        return true;
    }
    char text[200];
    std::snprintf(text, sizeof text,
                  "The entry move from the approach point to the profile is %.3f mm long; the controller "
                  "needs more than the nose radius of tool %d (%.3f mm) to start compensating.",
                  length, tool.nNumber, tool.dNoseRadius);
    Refuse(text, context);
    return false;
}
