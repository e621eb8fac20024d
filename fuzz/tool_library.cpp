// Fuzz target for the tool library reader: any text is read without a crash, and a library that
// is written back reads again to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/ToolLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> problems;
    const CToolLibrary library =
        CToolLibrary::Parse("Tools.ini", std::string(reinterpret_cast<const char*>(data), size), problems);
    const std::string text = library.Format();
    problems.clear();
    const CToolLibrary again = CToolLibrary::Parse("Tools.ini", text, problems);
    if (!problems.empty() || again.Format() != text) {
        std::abort();
    }
    return 0;
}
