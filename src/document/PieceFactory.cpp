// Creation of layer elements by kind tag.
#include "document/PieceFactory.h"

#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "elements/Linear.h"

std::unique_ptr<CPiece> CreatePieceForTag(const std::string& tag) {
    if (tag == "LINEAR") {
        return std::make_unique<CLinear>();
    }
    if (tag == "ARC") {
        return std::make_unique<CArc>();
    }
    if (tag == "DOUBLEARC") {
        return std::make_unique<CDoubleArc>();
    }
    return nullptr;
}
