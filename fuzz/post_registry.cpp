// Fuzz target: the Post.ini registry grammar.
#include <cstddef>
#include <cstdint>
#include <string>

#include "postprocessor/DefinitionReader.h"
#include "postprocessor/ProgramList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CDefinitionReader reader("Post.ini", std::string(reinterpret_cast<const char*>(data), size), nullptr);
    CProgramList list;
    list.ReadRegistry(reader, "/fuzz/Debug");
    for (const auto& pp : list.GetPreProcesors()) {
        (void)pp->GetDefinitionFile("itm");
    }
    return 0;
}
