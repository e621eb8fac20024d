// kestrovel-cli: parses the command line and runs the chosen command.
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"

int main(int argc, char** argv) {
    CCliArguments arguments;
    const int parsed = arguments.Parse(argc, argv);
    if (parsed >= 0) {
        return parsed;
    }
    switch (arguments.GetCommand()) {
        case CliCommand::New: return RunNew(arguments.m_new);
        case CliCommand::Dump: return RunDump(arguments.m_dump);
        case CliCommand::Add: return RunAdd(arguments.m_add);
        case CliCommand::Program: return RunProgram(arguments.m_program);
        case CliCommand::Command: return RunCommand(arguments.m_commandOptions);
        case CliCommand::Compile: return RunCompile(arguments.m_compile);
        case CliCommand::ImportDxf: return RunImportDxf(arguments.m_importDxf);
        case CliCommand::ExportDxf: return RunExportDxf(arguments.m_exportDxf);
        case CliCommand::Render: return RunRender(arguments.m_render);
        case CliCommand::Verify: return RunVerify(arguments.m_verify);
        case CliCommand::Simulate: return RunSimulate(arguments.m_simulate);
        case CliCommand::Tools: return RunTools(arguments.m_tools);
        case CliCommand::ReadNc: return RunReadNc(arguments.m_readNc);
        case CliCommand::None: break;
    }
    return 2;
}
