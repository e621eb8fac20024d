// Fuzz target: the item file grammar, then commands made from what it defined.
#include <cstddef>
#include <cstdint>
#include <string>

#include "postprocessor/DefinitionReader.h"
#include "postprocessor/ItemFileReader.h"
#include "postprocessor/PreProcesor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CDefinitionReader reader("fuzz.itm", std::string(reinterpret_cast<const char*>(data), size), nullptr);
    CPreProcesor pp("fuzz", "fuzz.*", "/dev/null", "");
    CItemFileReader::Read(reader, pp);
    for (const auto& t : pp.GetTemplates()) {
        auto command = pp.CreateCommand(t->GetIndex());
        for (const auto& p : command->GetParameters()) {
            (void)p->FormatStoredValue();
            (void)command->GetParamValue(p->GetKey());
        }
    }
    return 0;
}
