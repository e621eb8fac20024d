// The "tools" command: the tool library listed as text or JSON, or one tool added or changed.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "platform/SafeFileWriter.h"
#include "tools/ToolLibrary.h"

namespace {

void List(const CToolLibrary& library, bool json) {
    if (json) {
        nlohmann::json tools = nlohmann::json::array();
        for (const CTool& t : library.GetTools()) {
            tools.push_back({{"number", t.nNumber}, {"name", t.strName}, {"shape", std::string(1, t.cShape)},
                             {"radius", t.dNoseRadius}, {"orientation", t.nOrientation}, {"front", t.dFrontAngle},
                             {"back", t.dBackAngle}, {"hand", t.strHand}, {"kind", t.strKind}});
            if (t.strKind == "blade") {
                tools.back()["width"] = t.dWidth;
            } else if (t.strKind == "thread") {
                tools.back()["included"] = t.dIncludedAngle;
            } else if (t.strKind == "drill") {
                tools.back()["diameter"] = t.dDiameter;
                tools.back()["point"] = t.dPointAngle;
            }
        }
        std::printf("%s\n", nlohmann::json{{"tools", tools}}.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
        return;
    }
    std::printf("%-4s %-5s %-7s %-6s %-6s %-6s %-8s %s\n", "T", "Shape", "Radius", "Orient", "Front", "Back", "Hand",
                "Name");
    for (const CTool& t : library.GetTools()) {
        std::printf("%-4d %-5c %-7g %-6d %-6g %-6g %-8s %s\n", t.nNumber, t.cShape, t.dNoseRadius, t.nOrientation,
                    t.dFrontAngle, t.dBackAngle, t.strHand.c_str(), t.strName.c_str());
    }
}

}  // namespace

int RunTools(const CToolsOptions& options) {
    const std::string path = CCliDocument::WorkingDir(options.strPostDir) + "/Debug/Tools.ini";
    std::vector<std::string> problems;
    CToolLibrary library = CToolLibrary::Load(path, problems);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "kestrovel-cli: %s\n", problem.c_str());
    }
    if (options.nSet == 0) {
        if (!options.fields.empty()) {
            return CCliDocument::Fail("key=value fields need --set N");
        }
        List(library, options.bJson);
        return 0;
    }
    // Writing back a library with unreadable entries would drop them.
    if (!problems.empty()) {
        return CCliDocument::Fail(path + " has lines that can't be read; it was left as it is");
    }
    CTool tool = library.Find(options.nSet) ? *library.Find(options.nSet) : library.FindOrAdd(options.nSet);
    for (const std::string& field : options.fields) {
        const size_t equals = field.find('=');
        if (equals == std::string::npos) {
            return CCliDocument::Fail("\"" + field + "\" is no key=value field; " + path + " was left as it is");
        }
        std::string error;
        if (!tool.Set(field.substr(0, equals), field.substr(equals + 1), error)) {
            return CCliDocument::Fail(error + "; " + path + " was left as it is");
        }
    }
    library.FindOrAdd(options.nSet) = tool;
    const std::string text = library.Format();
    std::string error;
    if (!CSafeFileWriter::Write(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), error)) {
        return CCliDocument::Fail("can't write " + path + ": " + error);
    }
    return 0;
}
