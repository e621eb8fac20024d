// CCliArguments: the command line of kestrovel-cli parsed into one command and its options.
#pragma once

#include <memory>

#include "cli/CliOptions.h"

namespace CLI {
class App;
}

enum class CliCommand {
    None, New, Dump, Add, Program, Command, Compile, ImportDxf, ExportDxf, Render, Verify, Simulate, Tools, ReadNc
};

class CCliArguments {
public:
    CCliArguments();
    ~CCliArguments();
    CCliArguments(const CCliArguments&) = delete;
    CCliArguments& operator=(const CCliArguments&) = delete;

    // Parses the arguments. Returns -1 when a command was chosen and is ready to run; otherwise
    // the exit code (0 after --help, non-zero after a usage error, which has been printed).
    int Parse(int argc, const char* const* argv);
    CliCommand GetCommand() const { return m_command; }

    CNewOptions m_new;
    CDumpOptions m_dump;
    CAddOptions m_add;
    CProgramOptions m_program;
    CCommandOptions m_commandOptions;
    CCompileOptions m_compile;
    CImportDxfOptions m_importDxf;
    CExportDxfOptions m_exportDxf;
    CRenderOptions m_render;
    CVerifyOptions m_verify;
    CSimulateOptions m_simulate;
    CToolsOptions m_tools;
    CReadNcOptions m_readNc;

private:
    void DefineNew();
    void DefineDump();
    void DefineAdd();
    void DefineProgram();
    void DefineCommand();
    void DefineCompile();
    void DefineExchange();
    void DefineVerify();
    void DefineSimulate();
    void DefineTools();
    void DefineReadNc();

    std::unique_ptr<CLI::App> m_pApp;
    CliCommand m_command = CliCommand::None;
};
