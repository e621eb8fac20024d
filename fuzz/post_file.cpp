// Fuzz target: the post file grammar, then every macro generated without a document.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "document/Layer.h"
#include "postprocessor/DefinitionReader.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/PostFileReader.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

namespace {

class CFuzzContext : public CMacroContext {
public:
    std::unique_ptr<CLayer> CopyLayer(int index) override {
        if (index != 0) {
            return nullptr;
        }
        auto layer = std::make_unique<CLayer>();
        layer->CreateBorders(0, 100000, 400000);
        layer->AddLine(0, 100000, 400000, 100000);
        layer->AddLine(100000, 80000, 200000, 60000);
        return layer;
    }
    CMessages* GetMessages() override { return nullptr; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CDefinitionReader reader("fuzz.pos", std::string(reinterpret_cast<const char*>(data), size), nullptr);
    CPreProcesor pp("fuzz", "fuzz.*", "/dev/null", "");
    CPostFileReader::Read(reader, pp);
    CProgram program("fuzz");
    CCommand command("c", "", "");
    for (const char* key : {"layer", "layerX", "layerA"}) {
        command.AddParameter(std::make_unique<CParameter>(key, key, 1, 10000, "N"));
    }
    command.AddParameter(std::make_unique<CParameter>("t", "ToolDiferenc", 1, 5000, "N"));
    CFuzzContext context;
    pp.SetCurrentProgram(&program);
    pp.ResetSequence();
    for (const auto& macro : pp.GetMacros()) {
        (void)macro->Generate(&command, context);
        (void)macro->Generate(nullptr, context);
    }
    pp.SetCurrentProgram(nullptr);
    for (int size : {-1, 0, 5, 1000000}) {
        (void)pp.GetDivision(size);
    }
    return 0;
}
