// Program compilation: start code, every command, end code, and the NC file with CR LF ends.
#include <cerrno>
#include <cstdio>

#include "platform/Messages.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

namespace {

std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

// Clears the post-processor's current program however compilation ends.
class CCurrentProgramScope {
public:
    CCurrentProgramScope(CPreProcesor& pp, CProgram* program) : m_pp(pp) { m_pp.SetCurrentProgram(program); }
    ~CCurrentProgramScope() { m_pp.SetCurrentProgram(nullptr); }
    CCurrentProgramScope(const CCurrentProgramScope&) = delete;
    CCurrentProgramScope& operator=(const CCurrentProgramScope&) = delete;

private:
    CPreProcesor& m_pp;
};

}  // namespace

int CProgram::Generate(CMacroContext& context) {
    CPreProcesor* pp = ResolvePreProcesor();
    if (!pp) {
        return 0;
    }
    m_strCode.clear();
    // The pool keeps its values between compiles, but a tool is bound only by a tool change
    // compiled in this run.
    m_dBoundTool = 2000000.0;
    CCurrentProgramScope scope(*pp, this);
    pp->ResetSequence();
    if (const CMacro* start = pp->FindMacro("StartCode")) {
        m_strCode += start->Generate(nullptr, context);
    }
    for (const auto& command : m_commands) {
        m_strCode += command->Compile(*pp, context, *this);
    }
    if (const CMacro* end = pp->FindMacro("EndCode")) {
        m_strCode += end->Generate(nullptr, context);
    }
    return 1;
}

int CProgram::Compile(CTextWindow* output, CMacroContext& context, const std::string& outputPath) {
    if (!Generate(context)) {
        return 0;
    }
    if (output) {
        output->SetText(m_strCode);
    }
    const std::string& path = outputPath.empty() ? m_pPreProcesor->GetOutputPath() : outputPath;
    std::string error;
    errno = 0;
    if (!WriteFileAtomic(path, ToCrLf(m_strCode), error)) {
        const unsigned code = static_cast<unsigned>(errno);
        if (CMessages* messages = context.GetMessages()) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%u", code);
            messages->Trace("Can't open file " + path + ", error = " + buf + "\n");
        }
        return 0;
    }
    return 1;
}
