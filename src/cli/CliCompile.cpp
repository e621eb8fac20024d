// The "compile" command: the program's NC text written to its output file and printed.
#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "platform/Archive.h"
#include "postprocessor/ProgramList.h"

namespace {

// The NC file is text: every line feed is written as CR LF.
std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

}  // namespace

int RunCompile(const CCompileOptions& options) {
    CCliDocument document;
    CProgram* program = document.OpenCompiled(options.strFile, options.strPostDir, options.strProgram);
    if (!program) {
        return 1;
    }
    const std::string path = options.strOutput.empty() ? program->GetPreProcesor()->GetOutputPath() : options.strOutput;
    std::string error;
    if (!WriteFileAtomic(path, ToCrLf(program->GetCode()), error)) {
        return CCliDocument::Fail(error);
    }
    std::fputs(program->GetCode().c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : CCliDocument::Fail("cannot write the NC text");
}
