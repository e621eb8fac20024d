// CDefinitionReader: the line-by-line reading rules shared by Post.ini and the item and post files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CMessages;

// Reads a text file as lines without their terminators. Every operation that waits for a line
// returns false once the text is exhausted; the first such miss leaves one trace naming the file
// and the keyword that was expected, and later calls fail quietly, so a grammar stops with what
// it has read so far.
class CDefinitionReader {
public:
    static constexpr size_t kMaxFileSize = 16u << 20;

    // Reads the whole file; a file that can't be opened leaves the trace
    // "Can't open file %s, error = %u\n" and a reader that is already at its end.
    CDefinitionReader(const std::string& path, CMessages* messages);
    // A reader over text in memory (fuzzing, tests); path names it in traces.
    CDefinitionReader(const std::string& path, const std::string& text, CMessages* messages);

    bool IsOpen() const { return m_bOpen; }
    bool IsExhausted() const { return m_bExhausted; }

    // The next raw line.
    bool NextLine(std::string& line, const char* expected);
    // The next line that is not a comment (empty lines are significant).
    bool NextSignificant(std::string& line, const char* expected);
    // Reads lines until one equals key exactly; that line is consumed.
    bool ScanTo(const std::string& key);
    // Reads lines until one equals either key; returns which (0 or 1), or -1 at the end.
    int ScanToEither(const std::string& first, const std::string& second);

    static bool IsComment(const std::string& line) { return !line.empty() && line[0] == ';'; }
    // The line with its first column - 1 characters removed (empty when shorter).
    static std::string FromColumn(const std::string& line, size_t column);
    // "%d": leading blanks skipped, the longest numeric prefix; false when there is none.
    // Values beyond the int range are clamped.
    static bool ScanInt(const std::string& text, int32_t& value);
    // "%f" into a float (single precision, widened).
    static bool ScanFloat(const std::string& text, double& value);

private:
    void SplitLines(const std::string& text);
    void ReportEnd(const std::string& expected);

    std::string m_strPath;
    CMessages* m_pMessages;
    std::vector<std::string> m_lines;
    size_t m_nNext = 0;
    bool m_bOpen = false;
    bool m_bExhausted = false;
};
