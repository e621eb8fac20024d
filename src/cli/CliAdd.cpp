// The "add" command: a line, an arc through a third point or a border's free end, inserted by the layer.
#include <memory>
#include <string>
#include <utility>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/Border.h"
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

// A copy of the layer's border on the side of Z with its free end moved there; null with the
// reason when Z lies between the two joints or the border's locks keep the end where it is.
// The layer takes a border by the side its start lies on (left of Z 0 or not), and the free end
// is the only end a border lets move.
std::unique_ptr<CPiece> MakeBorder(const CLayer& layer, CPoint freeEnd, std::string& problem) {
    const CBorder* left = layer.GetLeftBorder();
    const CBorder* right = layer.GetRightBorder();
    std::unique_ptr<CBorder> border;
    if (left && freeEnd.x < left->GetEnd().x && freeEnd.x < 0) {
        border = left->CloneBorder();
        border->SetStart(freeEnd.x, freeEnd.y);
    } else if (right && freeEnd.x > right->GetStart().x) {
        border = right->CloneBorder();
        border->SetEnd(freeEnd.x, freeEnd.y);
    } else {
        problem =
            "a border's free end lies left of Z 0 and of the profile's start, or right of the profile's end";
        return nullptr;
    }
    if ((border->IsLeft() ? border->GetStart() : border->GetEnd()) != freeEnd) {
        problem = "the border's locks keep its free end where it is";
        return nullptr;
    }
    return border;
}

// Refusals the layer would make silently, or that no editing tool lets through.
std::string CheckCoordinates(const CAddOptions& o) {
    const size_t wanted = o.strKind == "line" ? 4 : o.strKind == "arc" ? 6 : 2;
    if (o.coordinates.size() != wanted) {
        return o.strKind == "line"  ? "a line needs Z1 X1 Z2 X2"
               : o.strKind == "arc" ? "an arc needs Z1 X1 Z2 X2 ZP XP"
                                    : "a border needs the Z X of its free end";
    }
    for (size_t i = 1; i < wanted; i += 2) {
        if (o.coordinates[i] < 0) {
            return "radial coordinates (X) must not be negative";
        }
    }
    if (wanted > 2 && o.coordinates[0] == o.coordinates[2]) {
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
    CLayer* layer = document.GetDoc().GetLayer(options.nLayer - 1);
    std::unique_ptr<CPiece> piece;
    if (options.strKind == "border") {
        std::string refusal;
        piece = MakeBorder(*layer, CPoint{options.coordinates[0], options.coordinates[1]}, refusal);
        if (!piece) {
            return CCliDocument::Fail(refusal);
        }
    } else {
        piece = MakePiece(options, document.GetMessages());
        if (!piece) {
            return CCliDocument::Fail("the three points give no arc (they lie on one line)");
        }
    }
    const int boxes = document.GetMessages().GetBoxCount();
    // The layer's own refusal box is the window's; here it is told in one line of the tool's.
    document.GetMessages().SetQuiet(true);
    layer->AddPiece(std::move(piece), 1);
    document.GetMessages().SetQuiet(false);
    if (document.GetMessages().GetBoxCount() != boxes) {
        // The layer's words for "no element holds the start" and "... the end".
        const std::string& box = document.GetMessages().GetLastText();
        const char* end = box == "levystav je nula" ? "its start" : box == "pravystav je nula" ? "its end" : "it";
        return CCliDocument::Fail(std::string("the layer refused the element: ") + end +
                                  " cannot be placed between the layer's borders; the file is unchanged");
    }
    return document.Save() ? 0 : 1;
}
