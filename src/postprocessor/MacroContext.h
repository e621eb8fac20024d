// CMacroContext: what a macro needs from the document it compiles against.
#pragma once

#include <memory>

class CLayer;
class CMessages;

class CMacroContext {
public:
    virtual ~CMacroContext() = default;
    // A new deep copy of layer index (0...5), owned by the caller; null when there is no such layer.
    virtual std::unique_ptr<CLayer> CopyLayer(int index) = 0;
    // Where compilation messages go (may be null: nothing is shown).
    virtual CMessages* GetMessages() = 0;
};
