// CLengthStep: the drawing as it stood on the other side of a change of its length.
#pragma once

#include <array>
#include <memory>

#include "document/Layer.h"
#include "document/LayerUndo.h"
#include "platform/Geometry.h"

// A length change is one undo step for the whole drawing: the source material and every layer
// with its own undo history are kept as they were, and undoing or redoing the change trades
// them with the drawing's current ones.
struct CLengthStep {
    int nShape = 0;
    CRect rcSource;
    std::array<std::unique_ptr<CLayer>, CLayer::kLayerCount> layers;
    std::array<CLayerUndo, CLayer::kLayerCount> histories;
};
