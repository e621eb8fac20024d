// The kestrovel-cli command line: every command with its options and help texts.
#include "cli/CliArguments.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

// A line takes four coordinates, an arc six and a border two; the usage line says so instead of "(2x)".
class CAddFormatter : public CLI::Formatter {
public:
    explicit CAddFormatter(const CLI::Option* coordinates) : m_pCoordinates(coordinates) {}
    std::string make_option_usage(const CLI::Option* opt) const override {
        return opt == m_pCoordinates ? "COORDINATES(4x, 6x or 2x)" : CLI::Formatter::make_option_usage(opt);
    }

private:
    const CLI::Option* m_pCoordinates;
};

// Numbers the tool works with are finite: "nan" and "inf" would pass every range check.
const CLI::Validator kFinite(
    [](std::string& text) -> std::string {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        return std::isfinite(value) ? std::string() : "\"" + text + "\" is not a finite number";
    },
    "FINITE");

const CLI::Validator kPositive(
    [](std::string& text) -> std::string {
        return std::strtod(text.c_str(), nullptr) > 0 ? std::string() : "\"" + text + "\" is not more than 0";
    },
    "POSITIVE");

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
    DefineExchange();
    DefineVerify();
    DefineSimulate();
    DefineTools();
    DefineReadNc();
}

CCliArguments::~CCliArguments() = default;

void CCliArguments::DefineNew() {
    CLI::App* sub = m_pApp->add_subcommand("new", "Create a drawing with a flat profile on every layer");
    sub->add_option("FILE", m_new.strFile, "Drawing file to write")->required();
    sub->add_option("--length", m_new.dLengthMm, "Length of the source material in mm (default 900)")
        ->check(kFinite);
    sub->add_option("--base", m_new.dBaseMm, "Base (diameter) of the source material in mm (default 200)")
        ->check(kFinite);
    sub->add_option("--shape", m_new.strShape, "Shape of the source material (default prism)")
        ->check(CLI::IsMember({"prism", "cylinder"}));
    sub->add_option("--units", m_new.strUnits, "Display units (default mm)")
        ->check(CLI::IsMember({"cm", "mm", "inch"}));
    sub->add_option("--accuracy", m_new.nAccuracy, "Display accuracy index 0-3 (default 0)")
        ->check(CLI::Range(0, 3));
    sub->add_option("--from-dxf", m_new.strFromDxf,
                    "DXF drawing of the part: the material's length and base become the part's length and "
                    "diameter plus the allowance, and its profile goes into layer 1")
        ->check(CLI::ExistingFile);
    sub->add_option("--allowance", m_new.dAllowanceMm, "With --from-dxf: mm added to length and diameter (default 0)")
        ->check(kFinite)
        ->check(CLI::Range(0.0, 1000.0));
    sub->callback([this] { m_command = CliCommand::New; });
}

void CCliArguments::DefineDump() {
    CLI::App* sub = m_pApp->add_subcommand("dump", "Print the whole drawing as JSON on standard output");
    sub->add_option("FILE", m_dump.strFile, "Drawing file to read")->required()->check(CLI::ExistingFile);
    sub->callback([this] { m_command = CliCommand::Dump; });
}

void CCliArguments::DefineAdd() {
    CLI::App* sub = m_pApp->add_subcommand(
        "add",
        "Insert a line (Z1 X1 Z2 X2) or an arc through a third point (Z1 X1 Z2 X2 ZP XP) into a layer, or "
        "move the "
        "free end of a border (Z X: left of Z 0 the left border, right of the profile's end the right one)");
    sub->add_option("FILE", m_add.strFile, "Drawing file to change")->required()->check(CLI::ExistingFile);
    sub->add_option("--layer", m_add.nLayer, "Layer number 1-6")->required()->check(CLI::Range(1, 6));
    sub->add_option("KIND", m_add.strKind, "line, arc or border")
        ->required()
        ->check(CLI::IsMember({"line", "arc", "border"}));
    CLI::Option* coordinates =
        sub->add_option("COORDINATES", m_add.coordinates,
                        "Points in model units: Z1 X1 Z2 X2 for a line, Z1 X1 Z2 X2 ZP XP for an arc "
                        "(the end with the smaller Z becomes the start), Z X for a border's free end");
    coordinates->required()->expected(2, 6)->option_text(
        "INT x 4 (line) or INT x 6 (arc) or INT x 2 (border) REQUIRED");
    sub->formatter(std::make_shared<CAddFormatter>(coordinates));
    sub->callback([this] { m_command = CliCommand::Add; });
}

void CCliArguments::DefineProgram() {
    CLI::App* sub = m_pApp->add_subcommand(
        "program", "Add a CNC program bound to a post-processor and make it the active program");
    sub->add_option("FILE", m_program.strFile, "Drawing file to change")
        ->required()
        ->check(CLI::ExistingFile);
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
    CLI::App* sub =
        m_pApp->add_subcommand("compile", "Compile a program, write its NC file and print the NC text");
    sub->add_option("FILE", m_compile.strFile, "Drawing file to read")->required()->check(CLI::ExistingFile);
    sub->add_option("--program", m_compile.strProgram, "Program name")->required();
    sub->add_option("--post-dir", m_compile.strPostDir, kPostDirHelp);
    sub->add_option("--output", m_compile.strOutput,
                    "NC file to write (default: the post-processor's output file)");
    sub->callback([this] { m_command = CliCommand::Compile; });
}

void CCliArguments::DefineExchange() {
    CLI::App* in =
        m_pApp->add_subcommand("import-dxf", "Take the profile above the axis of a DXF drawing into a layer");
    in->add_option("FILE", m_importDxf.strFile, "Drawing file to change (with --list-layers: the DXF file)")
        ->required()
        ->check(CLI::ExistingFile);
    in->add_option("DXF", m_importDxf.strDxf, "DXF file to read")->check(CLI::ExistingFile);
    in->add_option("--layer", m_importDxf.nLayer, "Layer number 1-6 (default 1)")->check(CLI::Range(1, 6));
    in->add_option("--dxf-layer", m_importDxf.dxfLayers,
                   "Only the entities of this DXF layer (may be given several times)")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    in->add_option("--units", m_importDxf.strUnits, "Units of the DXF drawing (default auto: $INSUNITS)")
        ->check(CLI::IsMember({"mm", "cm", "inch", "auto"}));
    in->add_option("--axis", m_importDxf.strAxis,
                   "The turning axis: auto (default: a centre line, else the DXF x or y axis) or X1,Y1,X2,Y2 in "
                   "drawing units, Z running from the first point towards the second");
    in->add_flag("--flip", m_importDxf.bFlip, "Turn the part end for end");
    in->add_option("--origin", m_importDxf.strOrigin,
                   "X,Y: the drawing's point (in mm) that becomes the origin (default: the part's end "
                   "nearest the axis's first point goes to Z 0)");
    in->add_option("--window", m_importDxf.strWindow,
                   "X1,Y1,X2,Y2: only what lies inside this box of the drawing (drawing units)");
    in->add_flag("--list-layers", m_importDxf.bListLayers,
                 "List the drawing's layers with their entity counts and linetypes, and change nothing");
    in->callback([this] { m_command = CliCommand::ImportDxf; });

    CLI::App* out =
        m_pApp->add_subcommand("export-dxf", "Write the six layers and the source material as DXF");
    out->add_option("FILE", m_exportDxf.strFile, "Drawing file to read")
        ->required()
        ->check(CLI::ExistingFile);
    out->add_option("DXF", m_exportDxf.strDxf, "DXF file to write")->required();
    out->add_flag("--mirrored", m_exportDxf.bMirrored, "Also the image below the axis");
    out->callback([this] { m_command = CliCommand::ExportDxf; });

    CLI::App* render =
        m_pApp->add_subcommand("render", "Draw the drawing as the view shows it at \"To fit\", as SVG");
    render->add_option("FILE", m_render.strFile, "Drawing file to read")
        ->required()
        ->check(CLI::ExistingFile);
    render->add_option("SVG", m_render.strSvg, "SVG file to write")->required();
    render->add_option("--layers", m_render.strLayers, "Layers to show, e.g. 1,2 (default: as saved)");
    render->add_option("--width", m_render.nWidth, "Width in pixels (default 1200)")
        ->check(CLI::Range(16, 32000));
    render->add_option("--height", m_render.nHeight, "Height in pixels (default 600)")
        ->check(CLI::Range(16, 32000));
    render->callback([this] { m_command = CliCommand::Render; });
}

void CCliArguments::DefineVerify() {
    CLI::App* sub = m_pApp->add_subcommand(
        "verify",
        "Compile a program, read the NC text back and measure its feed moves against a layer's profile");
    sub->add_option("FILE", m_verify.strFile, "Drawing file to read")->required()->check(CLI::ExistingFile);
    sub->add_option("--program", m_verify.strProgram, "Program name")->required();
    sub->add_option("--layer", m_verify.nLayer,
                    "Layer number 1-6 (default: the first layer the program walks)")
        ->check(CLI::Range(1, 6));
    sub->add_option("--tolerance", m_verify.dToleranceMm,
                    "Largest deviation in mm that passes (default 0.01); above it the exit code is 1")
        ->check(kFinite)
        ->check(kPositive);
    sub->add_option("--post-dir", m_verify.strPostDir, kPostDirHelp);
    sub->add_flag("--json", m_verify.bJson, "Print the result as one JSON object");
    sub->callback([this] { m_command = CliCommand::Verify; });
}

void CCliArguments::DefineReadNc() {
    CLI::App* sub = m_pApp->add_subcommand(
        "read-nc", "Print what the NC reader makes of an NC file: its moves, then its notes and errors; exit 1 "
                   "when it found errors");
    sub->add_option("FILE", m_readNc.strFile, "NC file to read")->required()->check(CLI::ExistingFile);
    sub->add_flag("--diameter", m_readNc.bDiameter, "X and U are diameters from the start (G7 and G8 switch it)");
    sub->add_flag("--json", m_readNc.bJson, "Print the result as one JSON object");
    sub->callback([this] { m_command = CliCommand::ReadNc; });
}

void CCliArguments::DefineSimulate() {
    CLI::App* sub = m_pApp->add_subcommand(
        "simulate",
        "Compile a program and cut the stock with its moves: gouges, rapids through material, "
        "material left over. Exits 1 on a gouge, a rapid through material or a block it cannot "
        "simulate (a canned cycle or subprogram the reader does not expand)");
    sub->add_option("FILE", m_simulate.strFile, "Drawing file to read")->required()->check(CLI::ExistingFile);
    sub->add_option("--program", m_simulate.strProgram, "Program name")->required();
    sub->add_option("--layer", m_simulate.nLayer, "Layer number 1-6 of the part (default: layer 1, or the first layer the program walks when layer 1 is empty)")
        ->check(CLI::Range(1, 6));
    sub->add_option("--bore-layer", m_simulate.nBoreLayer,
                    "Layer number 1-6 whose profile outlines a bore or centre hole from the axis: what lies "
                    "below it is no part material")
        ->check(CLI::Range(1, 6));
    sub->add_option("--allowance", m_simulate.dAllowanceMm,
                    "Material in mm that may stay above the profile; thicker material left makes the exit code 1")
        ->check(kFinite)
        ->check(CLI::NonNegativeNumber);
    sub->add_option("--tolerance", m_simulate.dToleranceMm,
                    "Depth in mm below the profile a cut may reach before it counts as a gouge (default 0.001)")
        ->check(kFinite)
        ->check(CLI::PositiveNumber);
    sub->add_option("--post-dir", m_simulate.strPostDir, kPostDirHelp);
    sub->add_flag("--json", m_simulate.bJson, "Print the result as one JSON object");
    sub->callback([this] { m_command = CliCommand::Simulate; });
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

void CCliArguments::DefineTools() {
    CLI::App* sub = m_pApp->add_subcommand("tools", "List the tool library (Debug/Tools.ini) or add and change a tool");
    sub->add_option("--post-dir", m_tools.strPostDir,
                    "Folder that stands for the working directory: the library is DIR/Debug/Tools.ini "
                    "(default: the current directory)");
    sub->add_flag("--json", m_tools.bJson, "Print the library as one JSON object");
    sub->add_option("--set", m_tools.nSet, "Add or change the tool with this number (1-99)")->check(CLI::Range(1, 99));
    sub->add_option("FIELDS", m_tools.fields,
                    "With --set: key=value for name, shape, radius, orientation, front, back, hand");
    sub->callback([this] { m_command = CliCommand::Tools; });
}
