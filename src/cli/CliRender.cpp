// The "render" command (filled in with the SVG surface).
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"

int RunRender(const CRenderOptions&) {
    return CCliDocument::Fail("render is not available");
}
