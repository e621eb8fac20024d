// Builders and chain checks shared by the document tests.
#pragma once

#include <string>
#include <vector>

#include "document/Layer.h"
#include "elements/Linear.h"

// A flat layer from (0, height) to (length, height) between its borders, without a document.
inline void MakeFlatLayer(CLayer& layer, int32_t length = 9000000, int32_t height = 1000000) {
    layer.CreateBorders(0, height, length);
    layer.AddLine(0, height, length, height);
}

// The chain as "x1,y1-x2,y2" texts, borders left out.
inline std::vector<std::string> Spans(const CLayer& layer) {
    std::vector<std::string> out;
    for (const auto& p : layer.GetPieces()) {
        out.push_back(std::to_string(p->GetStart().x) + "," + std::to_string(p->GetStart().y) + "-" +
                      std::to_string(p->GetEnd().x) + "," + std::to_string(p->GetEnd().y));
    }
    return out;
}

// Empty when every chain invariant holds, else what is broken.
inline std::string CheckChain(const CLayer& layer) {
    const auto& pieces = layer.GetPieces();
    if (pieces.empty()) {
        return "no elements";
    }
    int number = 1;
    const CPiece* prev = nullptr;
    for (const auto& p : pieces) {
        if (p->GetNumber() != number) {
            return "number " + std::to_string(p->GetNumber()) + " at " + std::to_string(number);
        }
        ++number;
        if (p->GetEnd().x <= p->GetStart().x) {
            return "element " + std::to_string(number - 1) + " not ascending";
        }
        if (prev && prev->GetEnd().x != p->GetStart().x) {
            return "gap before element " + std::to_string(number - 1);
        }
        prev = p.get();
    }
    if (layer.GetNextNumber() != number) {
        return "next number " + std::to_string(layer.GetNextNumber());
    }
    const CBorder* left = layer.GetLeftBorder();
    const CBorder* right = layer.GetRightBorder();
    if (left->GetEnd() != pieces.front()->GetStart()) {
        return "left border not connected";
    }
    if (right->GetStart() != pieces.back()->GetEnd()) {
        return "right border not connected";
    }
    if (left->GetNumber() != 0 || right->GetNumber() != -1) {
        return "border numbers";
    }
    return "";
}
