// The "dump" command: the whole drawing as JSON on standard output.
#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/DocumentJson.h"

int RunDump(const CDumpOptions& options) {
    CCliDocument document;
    if (!document.Open(options.strFile)) {
        return 1;
    }
    const bool written = CDocumentJson::Write(document.GetDoc(), &document.GetPrograms(), stdout) &&
                         std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
    return written ? 0 : CCliDocument::Fail("cannot write the dump");
}
