// The operation macro: the command's values in, the operation's moves out through the templates.
#include "postprocessor/MacroOperation.h"

#include "operations/Operation.h"
#include "postprocessor/Command.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

namespace {

constexpr double kNotKnown = 2000000.0;
constexpr double kEmpty = 1000000.0;

const char* const kMarkers[CMacroOperation::kKinds] = {"<rapid>", "<feed>", "<dwell>", "<thread>"};
const char* const kKindNames[CMacroOperation::kKinds] = {"rapid", "feed", "dwell", "threading"};

double MoveValue(const COperationMove& move, const std::string& name) {
    if (name == "EndX") {
        return move.bKeepX ? kEmpty : move.dX;
    }
    if (name == "EndZ") {
        return move.bKeepZ ? kEmpty : move.dZ;
    }
    if (name == "Feed") {
        return move.dFeed;
    }
    if (name == "Dwell" && move.nKind == COperationMove::kDwell) {
        return move.dDwell;
    }
    return kNotKnown;
}

}  // namespace

int CMacroOperation::KindOfMarker(const std::string& line) {
    for (int kind = 0; kind < kKinds; ++kind) {
        if (line == kMarkers[kind]) {
            return kind;
        }
    }
    return -1;
}

COperationResult CMacroOperation::Compute(const COperation& operation, const CCommand* command) const {
    const CProgram* program = GetProgram();
    COperationValues in;
    for (const std::string& key : operation.keys) {
        // As in a normal macro: an empty field stays empty; only a key the command lacks is asked
        // of the program.
        double value = command ? command->GetParamValue(key) : kNotKnown;
        if (value > kEmpty && program) {
            value = program->GetValue(key);
        }
        if (value < kEmpty) {
            in.Set(key, value);
        }
    }
    for (const auto& [key, value] : m_settings) {
        in.Set(key, value);
    }
    return operation.pRun(in);
}

bool CMacroOperation::WriteMoves(const COperationResult& result, const CCommand* command, std::string& out,
                                 CMacroContext& context) const {
    const auto computed = [&result](const std::string& name) {
        const auto it = result.values.find(name);
        return it == result.values.end() ? kNotKnown : it->second;
    };
    for (const COperationMove& move : result.moves) {
        const std::string& text = m_moveTemplates[move.nKind];
        if (text.empty()) {
            Refuse("The post file gives no template for the operation's " +
                       std::string(kKindNames[move.nKind]) + " moves (" + kMarkers[move.nKind] + ").",
                   context);
            return false;
        }
        CValueChain chain(kEmpty);
        chain.Add([&move](const std::string& name) { return MoveValue(move, name); })
            .Add(computed)
            .Add(CommandSource(command))
            .Add(ProgramSource());
        if (!GenerateLines(text, chain, false, EveryLine, out, context)) {
            return false;
        }
    }
    return true;
}

std::string CMacroOperation::Generate(const CCommand* command, CMacroContext& context) const {
    if (!m_pPreProcesor) {
        return "";
    }
    const COperation* operation = COperation::Find(m_strOperation);
    if (!operation) {
        Refuse("The post file names an operation this program does not know: " + m_strOperation, context);
        return "";
    }
    const COperationResult result = Compute(*operation, command);
    if (result.IsRefused()) {
        Refuse(result.strError, context);
        return "";
    }
    const auto computed = [&result](const std::string& name) {
        const auto it = result.values.find(name);
        return it == result.values.end() ? kNotKnown : it->second;
    };
    CValueChain outer(kEmpty);
    outer.Add(computed).Add(CommandSource(command)).Add(ProgramSource());
    std::string out;
    if (!GenerateLines(m_strHeader, outer, false, EveryLine, out, context) ||
        !WriteMoves(result, command, out, context) ||
        !GenerateLines(m_strTrailer, outer, false, EveryLine, out, context)) {
        return "";
    }
    return out;
}
