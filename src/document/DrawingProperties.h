// The source-material values a new drawing asks for, and the prompt that asks for them.
#pragma once

#include <cstdint>
#include <optional>

// The "Drawing properties" values: lengths in model units, shape as the dialog's type index.
struct CDrawingProperties {
    int32_t nLength = 9000000;
    int32_t nBase = 2000000;
    int nShapeType = 0;  // 0 = "Prism", 1 = "Cylinder"
    int nUnits = 1;
    int nAccuracy = 0;
};

// The shell shows the real dialog; tests and tools answer directly.
class CDrawingPropertiesPrompt {
public:
    virtual ~CDrawingPropertiesPrompt() = default;
    // io holds the initial values on entry and the chosen ones on return; false = cancelled.
    virtual bool Run(CDrawingProperties& io) = 0;
};

// Accepts the initial values, or replaces them with fixed ones when given.
class CAcceptPropertiesPrompt : public CDrawingPropertiesPrompt {
public:
    CAcceptPropertiesPrompt() = default;
    explicit CAcceptPropertiesPrompt(const CDrawingProperties& values) : m_values(values) {}
    bool Run(CDrawingProperties& io) override {
        if (m_values) {
            io = *m_values;
        }
        return true;
    }

private:
    std::optional<CDrawingProperties> m_values;
};
