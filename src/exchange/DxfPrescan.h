// CDxfPrescan: a check of a DXF file's text for what the reading library cannot survive.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The library reads lines into a fixed buffer and loops for ever on a longer one; it trusts the
// counts an entity announces (knots, control, fit and polyline points, leader vertices) to size
// its arrays and loops; and it takes numbers that overflow as infinities. The text is read the
// way the library reads it (lines in pairs: group code, value) and refused before it gets there.
class CDxfPrescan {
public:
    // Longest line (without its line break) the library reads in one piece.
    static constexpr size_t kMaxLineBytes = 1022;

    // Empty when the text may be handed to the library; otherwise one line naming the line
    // (counted from 1) that it would not survive.
    // unknownKinds, when given, receives the kinds of the ENTITIES section's entities that the
    // library passes over without a word, with their counts, in order of first appearance.
    static std::string Check(const std::string& bytes,
                             std::vector<std::pair<std::string, int>>* unknownKinds = nullptr);

    // Where the line from start ends: its '\n', or the end of the text.
    static size_t LineEnd(std::string_view text, size_t start);
    // The line without the spaces, tabs and carriage returns around it.
    static std::string_view Stripped(std::string_view line);
};
