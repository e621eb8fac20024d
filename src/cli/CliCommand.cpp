// The "command" command: a template's parameters typed in and the command added, as in the window.
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "postprocessor/ProgramList.h"

namespace {

// The template's position in the window's template list, or -1.
int FindTemplate(const CPreProcesor& pp, const std::string& name) {
    for (const auto& t : pp.GetTemplates()) {
        if (t->IsNamed(name)) {
            return t->GetIndex();
        }
    }
    return -1;
}

// Types each KEY=TEXT into its parameter's field; the reason when one cannot be typed.
std::string TypeFields(CCommand& command, const std::vector<std::string>& fields) {
    for (const std::string& field : fields) {
        const size_t eq = field.find('=');
        if (eq == std::string::npos) {
            return "\"" + field + "\" is not KEY=TEXT";
        }
        const std::string key = field.substr(0, eq);
        CParameter* parameter = command.FindParameter(key);
        if (!parameter || !parameter->GetEdit()) {
            return "the command \"" + command.GetName() + "\" has no parameter with the key \"" + key + "\"";
        }
        parameter->GetEdit()->SetText(field.substr(eq + 1));
    }
    return "";
}

}  // namespace

int RunCommand(const CCommandOptions& options) {
    CCliDocument document;
    CProgram* program = document.OpenProgram(options.strFile, options.strPostDir, options.strProgram);
    if (!program) {
        return 1;
    }
    // The programming window: its post-processor box filled, the program shown (which binds it
    // to its post-processor again after loading and fills the template list).
    CMemoryControlBar bar;
    CMemoryForm form;
    document.GetPrograms().FillPreProcesorList(bar);
    program->ShowInForm(bar, form);
    CPreProcesor* pp = program->GetPreProcesor();
    if (!pp) {
        return CCliDocument::Fail("the program \"" + options.strProgram + "\" is bound to no post-processor of Post.ini (\"" +
                                  program->GetPostName() + "\")");
    }
    const int index = FindTemplate(*pp, options.strTemplate);
    if (index < 0) {
        return CCliDocument::Fail("the post-processor \"" + pp->GetName() + "\" has no command template \"" +
                                  options.strTemplate + "\"");
    }
    program->StartCommand(form, index);
    if (!program->GetCurrent()) {
        return CCliDocument::Fail("the command template \"" + options.strTemplate + "\" could not be started");
    }
    const std::string problem = TypeFields(*program->GetCurrent(), options.fields);
    if (!problem.empty()) {
        return CCliDocument::Fail(problem);
    }
    if (!program->AddCommand(&document.GetMessages())) {
        return CCliDocument::Fail("the command was not added: a parameter was refused");
    }
    return document.Save() ? 0 : 1;
}
