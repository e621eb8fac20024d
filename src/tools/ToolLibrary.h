// CToolLibrary: the tools of Tools.ini, read from and written back to its plain text.
#pragma once

#include <string>
#include <vector>

#include "tools/Tool.h"

// The file lists entries between "BeginTools" and "EndTools"; each entry is a run of "Key: value"
// lines ("Tool:", "Name:", "Shape:", "Radius:", "Orientation:", "Front:", "Back:", "Hand:", and
// for tools that are no turning insert "Kind:" with "Width:", "Included:", "Diameter:" or
// "Point:") ended by a line of dashes. An entry without "Kind:" is a turning insert. Lines starting with ";" are comments. A bad line is reported with
// the file name and its line number and the entry it belongs to is left out.
class CToolLibrary {
public:
    // Reads text; every problem found is appended to problems ("Tools.ini, line 7: ...").
    static CToolLibrary Parse(const std::string& name, const std::string& text, std::vector<std::string>& problems);
    // Reads a file; a missing file is an empty library with no problem.
    static CToolLibrary Load(const std::string& path, std::vector<std::string>& problems);

    // The library as file text (a header comment, then every tool in number order).
    std::string Format() const;

    const std::vector<CTool>& GetTools() const { return m_tools; }
    // The tool with that number, or null.
    const CTool* Find(int number) const;
    // The tool with that number, made (with defaults) when the library has none.
    CTool& FindOrAdd(int number);
    bool IsEmpty() const { return m_tools.empty(); }

private:
    std::vector<CTool> m_tools;
};
