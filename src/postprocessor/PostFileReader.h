// CPostFileReader: the post file grammar (formats, numbering, flags, division, macros).
#pragma once

#include <memory>
#include <string>

class CDefinitionReader;
class CMacro;
class CMacroRun;
class CPreProcesor;

class CPostFileReader {
public:
    // Reads the sections in their fixed order, stopping at a premature end with what was read.
    static void Read(CDefinitionReader& reader, CPreProcesor& target);

private:
    static bool ReadFormats(CDefinitionReader& reader, CPreProcesor& target);
    static bool ReadNumbering(CDefinitionReader& reader, CPreProcesor& target);
    static bool ReadFlag(CDefinitionReader& reader, const char* keyword, int& flag);
    static bool ReadDivision(CDefinitionReader& reader, CPreProcesor& target);
    static void ReadMacros(CDefinitionReader& reader, CPreProcesor& target);
    // One macro block after its keyword; null for an unknown keyword or a cut-off block.
    static std::unique_ptr<CMacro> ReadMacro(CDefinitionReader& reader, const std::string& keyword);
    // The side (0 "LEFT", 1 otherwise) of a direction line and, for RUN, its compensation word
    // and the reach word after "COMP" ("REFUSE", "STOP").
    static int ReadDirection(const std::string& line, bool run, int& compensation, int* reach = nullptr,
                             std::string* leave = nullptr);
    // The roughing-cycle word of a RUN direction line (CMacroRun::Cycle) and its side.
    static int ReadCycle(const std::string& line, int& side);
    // Moves a cycle macro's "<Rapid>" template out of its trailer.
    static void SplitRapidTemplate(CMacroRun& run);
    static std::unique_ptr<CMacro> ReadRun(CDefinitionReader& reader, const std::string& name, int side);
    static std::unique_ptr<CMacro> ReadOci(CDefinitionReader& reader, const std::string& name, int side);
    // An OPERATION block after its name: the operation line, header, move templates, trailer.
    static std::unique_ptr<CMacro> ReadOperation(CDefinitionReader& reader, const std::string& name);
    // Significant lines, each with a line feed, up to the marker (consumed); false at the end.
    static bool ReadLinesUpTo(CDefinitionReader& reader, const char* marker, std::string& text);
    // The next significant line with a line feed.
    static bool ReadTemplateLine(CDefinitionReader& reader, const char* expected, std::string& text);
};
