// The "add" command: a line or an arc through a third point, inserted by the layer.
#include <memory>
#include <utility>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/Linear.h"

namespace {

// The new element; null for three points that give no circle (the arc would be straight).
// An element runs from its smaller Z to its larger Z, so the end points are taken in that order;
// the circle through an arc's three points does not depend on which end is named first.
std::unique_ptr<CPiece> MakePiece(const CAddOptions& o, CMessages& messages) {
    const auto& c = o.coordinates;
    CPoint start{c[0], c[1]};
    CPoint end{c[2], c[3]};
    if (start.x > end.x) {
        std::swap(start, end);
    }
    if (o.strKind == "line") {
        return std::make_unique<CLinear>(start, end);
    }
    auto arc = std::make_unique<CArc>(start, end, CPoint{c[4], c[5]}, &messages);
    if (arc->IsStraight()) {
        return nullptr;
    }
    return arc;
}

// Refusals the layer would make silently, or that no editing tool lets through.
std::string CheckCoordinates(const CAddOptions& o) {
    const size_t wanted = o.strKind == "line" ? 4 : 6;
    if (o.coordinates.size() != wanted) {
        return "a" + std::string(o.strKind == "line" ? " line needs Z1 X1 Z2 X2" : "n arc needs Z1 X1 Z2 X2 ZP XP");
    }
    for (size_t i = 1; i < wanted; i += 2) {
        if (o.coordinates[i] < 0) {
            return "radial coordinates (X) must not be negative";
        }
    }
    if (o.coordinates[0] == o.coordinates[2]) {
        return "the element has no axial length (Z1 = Z2); nothing to insert";
    }
    return "";
}

}  // namespace

int RunAdd(const CAddOptions& options) {
    const std::string problem = CheckCoordinates(options);
    if (!problem.empty()) {
        return CCliDocument::Fail(problem);
    }
    CCliDocument document;
    if (!document.Open(options.strFile)) {
        return 1;
    }
    std::unique_ptr<CPiece> piece = MakePiece(options, document.GetMessages());
    if (!piece) {
        return CCliDocument::Fail("the three points give no arc (they lie on one line)");
    }
    CLayer* layer = document.GetDoc().GetLayer(options.nLayer - 1);
    const int boxes = document.GetMessages().GetBoxCount();
    layer->AddPiece(std::move(piece), 1);
    // The layer shows its refusal ("levystav je nula", "pravystav je nula") and keeps nothing.
    if (document.GetMessages().GetBoxCount() != boxes) {
        return CCliDocument::Fail("the layer refused the element; the file is unchanged");
    }
    return document.Save() ? 0 : 1;
}
