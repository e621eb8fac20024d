// The "program" command: a new program bound to a post-processor, made the active program.
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "platform/MemoryControlBar.h"
#include "postprocessor/ProgramList.h"

int RunProgram(const CProgramOptions& options) {
    CCliDocument document;
    if (!document.Open(options.strFile) || !document.ReadPostIni(options.strPostDir)) {
        return 1;
    }
    CProgramList& programs = document.GetPrograms();
    if (!programs.FindPreProcesor(options.strPost)) {
        return CCliDocument::Fail("Post.ini has no post-processor named \"" + options.strPost + "\"");
    }
    // The programming window picks programs by name, so a second program of the same name could
    // never be reached from here.
    if (!options.strName.empty() && programs.FindProgram(options.strName)) {
        return CCliDocument::Fail("the drawing has a program named \"" + options.strName + "\" already");
    }
    CProgram* program = programs.AddProgram(options.strName);
    if (options.nNumber >= 0) {
        program->SetNumber(options.nNumber);
    }
    CMemoryControlBar bar;
    program->SetPostProcessor(options.strPost, bar);
    if (program->GetPostName() != options.strPost) {
        return CCliDocument::Fail("the program could not be bound to \"" + options.strPost + "\"");
    }
    return document.Save() ? 0 : 1;
}
