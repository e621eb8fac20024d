// The "verify" command: a program compiled, read back and measured against a layer's profile.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/NcNotesJson.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "toolpath/DeviationCheck.h"
#include "toolpath/ProgramToolpath.h"

namespace {

using Json = nlohmann::json;

double Mm(double modelUnits) {
    return modelUnits / 10000.0;
}

Json ToJson(const std::string& program, int layer, const CToolpath& path, const CDeviationResult& r) {
    Json uncovered = Json::array();
    for (const auto& [from, to] : r.uncovered) {
        uncovered.push_back({Mm(from), Mm(to)});
    }
    const auto feeds =
        std::count_if(path.moves.begin(), path.moves.end(), [](const CToolMove& m) { return !m.bRapid; });
    Json out = {{"program", program},
                {"layer", layer},
                {"tolerance", r.dToleranceMm},
                {"moves", path.moves.size()},
                {"feedMoves", feeds},
                {"measured", r.bMeasured ? 1 : 0},
                {"largestDeviation", r.dLargestMm},
                {"at", {Mm(r.ptAt.dZ), Mm(r.ptAt.dX)}},
                {"line", r.nLine},
                {"block", r.strBlock},
                {"deviationZ", r.dAlongZMm},
                {"deviationX", r.dAlongXMm},
                {"withinTolerance", !r.Exceeds() && path.errors.empty() ? 1 : 0},
                {"uncovered", uncovered},
                {"errors", NcNotesJson(path.errors)},
                {"errorCount", path.nErrorCount},
                {"unknownWords", NcNotesJson(path.unknown)}};
    return out;
}

void PrintText(const std::string& program, int layer, const CToolpath& path, const CDeviationResult& r) {
    std::printf("program \"%s\", layer %d: %zu moves\n", program.c_str(), layer, path.moves.size());
    std::printf("%s\n", r.Summary().c_str());
    if (r.bMeasured && r.dLargestMm > r.dToleranceMm) {
        std::printf("the cut lies %.4f mm in Z and %.4f mm in X from the profile there\n", r.dAlongZMm, r.dAlongXMm);
    }
    std::printf("%s the tolerance of %.4f mm\n", r.Exceeds() ? "exceeds" : "within", r.dToleranceMm);
    for (const auto& [from, to] : r.uncovered) {
        std::printf("no feed move near the profile from Z %.3f to Z %.3f\n", Mm(from), Mm(to));
    }
    for (const CNcNote& n : path.errors) {
        std::printf("line %d: error: %s\n", n.nLine, n.strText.c_str());
    }
    for (const CNcNote& n : path.unknown) {
        std::printf("line %d: note: %s\n", n.nLine, n.strText.c_str());
    }
    if (path.nErrorCount + path.nUnknownCount > path.errors.size() + path.unknown.size()) {
        std::printf("%zu more errors and notes not listed\n",
                    path.nErrorCount + path.nUnknownCount - path.errors.size() - path.unknown.size());
    }
}

}  // namespace

int RunVerify(const CVerifyOptions& options) {
    CCliDocument document;
    CProgram* program = document.OpenCompiled(options.strFile, options.strPostDir, options.strProgram);
    if (!program) {
        return 1;
    }
    CDocumentContext context(document.GetDoc());
    const CProgramCheck check =
        CProgramToolpath::Check(*program, context, options.nLayer, options.dToleranceMm);
    if (check.nLayer == 0) {
        return CCliDocument::Fail("the drawing has no layer " + std::to_string(options.nLayer));
    }
    const CToolpath& path = check.path;
    const CDeviationResult& result = check.result;
    const int layer = check.nLayer;
    if (options.bJson) {
        std::printf("%s\n", ToJson(options.strProgram, layer, path, result).dump(2).c_str());
    } else {
        PrintText(options.strProgram, layer, path, result);
    }
    std::fflush(stdout);
    // A program the control would refuse fails the check as much as one off the profile.
    return result.Exceeds() || !path.errors.empty() ? 1 : 0;
}
