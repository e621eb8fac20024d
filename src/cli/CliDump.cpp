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
    const std::string text = CDocumentJson::FromDocument(document.GetDoc(), &document.GetPrograms()).dump(2);
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : CCliDocument::Fail("cannot write the dump");
}
