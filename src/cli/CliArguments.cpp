// The kestrovel-cli command line: every command with its options and help texts.
#include "cli/CliArguments.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <map>

namespace {

const char* const kPostDirHelp =
    "Folder that stands for the working directory: Post.ini is read from DIR/Debug/Post.ini "
    "(default: the current directory)";

}  // namespace

CCliArguments::CCliArguments() : m_pApp(std::make_unique<CLI::App>()) {
    m_pApp->name("kestrovel-cli");
    m_pApp->description(
        "Works on Kestrovel drawing files without a window. Coordinates are model units "
        "(10000 = 1 mm; Z axial, X radial); lengths of 'new' are millimetres.");
    m_pApp->require_subcommand(1);
    DefineNew();
    DefineDump();
    DefineAdd();
    DefineProgram();
    DefineCommand();
    DefineCompile();
    DefineVerify();
}

CCliArguments::~CCliArguments() = default;

void CCliArguments::DefineNew() {
    CLI::App* sub = m_pApp->add_subcommand("new", "Create a drawing with a flat profile on every layer");
    sub->add_option("FILE", m_new.strFile, "Drawing file to write")->required();
    sub->add_option("--length", m_new.dLengthMm, "Length of the source material in mm (default 900)");
    sub->add_option("--base", m_new.dBaseMm, "Base (diameter) of the source material in mm (default 200)");
    sub->add_option("--shape", m_new.strShape, "Shape of the source material (default prism)")
        ->check(CLI::IsMember({"prism", "cylinder"}));
    sub->add_option("--units", m_new.strUnits, "Display units (default mm)")
        ->check(CLI::IsMember({"cm", "mm", "inch"}));
    sub->add_option("--accuracy", m_new.nAccuracy, "Display accuracy index 0-3 (default 0)")
        ->check(CLI::Range(0, 3));
    sub->callback([this] { m_command = CliCommand::New; });
}

void CCliArguments::DefineDump() {
    CLI::App* sub = m_pApp->add_subcommand("dump", "Print the whole drawing as JSON on standard output");
    sub->add_option("FILE", m_dump.strFile, "Drawing file to read")->required()->check(CLI::ExistingFile);
    sub->callback([this] { m_command = CliCommand::Dump; });
}

void CCliArguments::DefineAdd() {
    CLI::App* sub = m_pApp->add_subcommand(
        "add", "Insert a line (Z1 X1 Z2 X2) or an arc through a third point (Z1 X1 Z2 X2 ZP XP) into a layer");
    sub->add_option("FILE", m_add.strFile, "Drawing file to change")->required()->check(CLI::ExistingFile);
    sub->add_option("--layer", m_add.nLayer, "Layer number 1-6")->required()->check(CLI::Range(1, 6));
    sub->add_option("KIND", m_add.strKind, "line or arc")->required()->check(CLI::IsMember({"line", "arc"}));
    sub->add_option("COORDINATES", m_add.coordinates, "Points in model units")->required()->expected(4, 6);
    sub->callback([this] { m_command = CliCommand::Add; });
}

void CCliArguments::DefineProgram() {
    CLI::App* sub = m_pApp->add_subcommand(
        "program", "Add a CNC program bound to a post-processor and make it the active program");
    sub->add_option("FILE", m_program.strFile, "Drawing file to change")->required()->check(CLI::ExistingFile);
    sub->add_option("--name", m_program.strName, "Program name (default: the next \"New Program<n>\")");
    sub->add_option("--number", m_program.nNumber, "Program number 0-10000 (default 10)")
        ->check(CLI::Range(0, 10000));
    sub->add_option("--post", m_program.strPost, "Name of the post-processor in Post.ini")->required();
    sub->add_option("--post-dir", m_program.strPostDir, kPostDirHelp);
    sub->callback([this] { m_command = CliCommand::Program; });
}

void CCliArguments::DefineCommand() {
    CLI::App* sub = m_pApp->add_subcommand(
        "command", "Append a command made from a template, typing KEY=TEXT into the parameter fields");
    sub->add_option("FILE", m_commandOptions.strFile, "Drawing file to change")
        ->required()
        ->check(CLI::ExistingFile);
    sub->add_option("--program", m_commandOptions.strProgram, "Program name")->required();
    sub->add_option("--template", m_commandOptions.strTemplate, "Name of the command template")->required();
    sub->add_option("FIELDS", m_commandOptions.fields,
                    "KEY=TEXT typed into the field of the parameter with that key; fields not named "
                    "keep their default text");
    sub->add_option("--post-dir", m_commandOptions.strPostDir, kPostDirHelp);
    sub->callback([this] { m_command = CliCommand::Command; });
}

void CCliArguments::DefineCompile() {
    CLI::App* sub = m_pApp->add_subcommand(
        "compile", "Compile a program, write its NC file and print the NC text");
    sub->add_option("FILE", m_compile.strFile, "Drawing file to read")->required()->check(CLI::ExistingFile);
    sub->add_option("--program", m_compile.strProgram, "Program name")->required();
    sub->add_option("--post-dir", m_compile.strPostDir, kPostDirHelp);
    sub->add_option("--output", m_compile.strOutput,
                    "NC file to write (default: the post-processor's output file)");
    sub->callback([this] { m_command = CliCommand::Compile; });
}

void CCliArguments::DefineVerify() {
    CLI::App* sub = m_pApp->add_subcommand(
        "verify", "Compile a program, read the NC text back and measure its feed moves against a layer's profile");
    sub->add_option("FILE", m_verify.strFile, "Drawing file to read")->required()->check(CLI::ExistingFile);
    sub->add_option("--program", m_verify.strProgram, "Program name")->required();
    sub->add_option("--layer", m_verify.nLayer, "Layer number 1-6 (default: the first layer the program walks)")
        ->check(CLI::Range(1, 6));
    sub->add_option("--tolerance", m_verify.dToleranceMm,
                    "Largest deviation in mm that passes (default 0.01); above it the exit code is 1")
        ->check(CLI::PositiveNumber);
    sub->add_option("--post-dir", m_verify.strPostDir, kPostDirHelp);
    sub->add_flag("--json", m_verify.bJson, "Print the result as one JSON object");
    sub->callback([this] { m_command = CliCommand::Verify; });
}

int CCliArguments::Parse(int argc, const char* const* argv) {
    try {
        m_pApp->parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return m_pApp->exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return m_pApp->exit(e);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) {
            return m_pApp->exit(e);
        }
        std::fprintf(stderr, "kestrovel-cli: %s (see --help)\n", e.what());
        return 2;
    }
    return -1;
}
