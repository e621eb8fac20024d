// Random editing sessions through the view keep every layer sound and its undo history current.
#include <random>
#include <sstream>

#include "../document/TestLayers.h"
#include "ViewFixture.h"
#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "elements/Linear.h"
#include "view/EditingTools.h"

namespace {
constexpr uint32_t kSeed = 20261208;
constexpr int kSequences = 10000;
constexpr int kStepsPerSequence = 6;

// Answers "Drawing properties" with the length and base the session chose, units unchanged.
struct CLengthPrompt : CDrawingPropertiesPrompt {
    bool Run(CDrawingProperties& io) override {
        if (nLength > 0) {
            io.nLength = nLength;
            io.nBase = nBase;
        }
        return true;
    }
    int32_t nLength = 0;
    int32_t nBase = 0;
};

// What an undo would bring back, in short: each item's kind, end points and number.
std::vector<int32_t> Signature(const CLayer& layer) {
    std::vector<int32_t> out;
    auto add = [&out](const CPiece& p) {
        out.insert(out.end(),
                   {p.GetKind(), p.GetStart().x, p.GetStart().y, p.GetEnd().x, p.GetEnd().y, p.GetNumber()});
    };
    add(*layer.GetLeftBorder());
    for (const auto& p : layer.GetPieces()) {
        add(*p);
    }
    add(*layer.GetRightBorder());
    return out;
}

// Empty when the layer keeps every rule of an edited drawing, else the first one broken: the
// chain rules of every layer, and what an edit through the view adds (on or above the axis,
// over the whole drawing).
std::string CheckLayer(const CLayer& layer, int32_t length) {
    std::string broken = CheckChain(layer);
    if (!broken.empty()) {
        return broken;
    }
    const auto& pieces = layer.GetPieces();
    for (const auto& p : pieces) {
        if (p->GetStart().y < 0 || p->GetEnd().y < 0) {
            return "below the axis at element " + std::to_string(p->GetNumber());
        }
    }
    if (pieces.front()->GetStart().x != 0 || pieces.back()->GetEnd().x != length) {
        return "chain does not span the drawing";
    }
    return "";
}

class LayerEditProperty : public ViewFixture {
protected:
    int32_t Between(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(m_rng); }
    int32_t LengthMm() const { return doc->GetLength() / 10000; }

    void Begin(uint32_t seed) {
        m_rng.seed(seed);
        m_log.str("");
        m_log << "seed " << seed << ":";
        m_prompt.nLength = 0;
        host.m_window.ClearLog();
        host.m_calls.clear();
        messages.Clear();
        NewDocumentAndView(&m_prompt);
        view->OnInitialUpdate();
        // A small window keeps the recorded overlay copies short; clicks beyond it still reach
        // the model through the same mapping.
        view->OnSize(kSizeRestored, 320, 240);
        UseMillimetrePixels();
        Command(ID_MODE_FAST);
    }

    // A Z in whole millimetres: often an element boundary of the active layer.
    int32_t PickMm() {
        if (Between(0, 2) == 0) {
            const auto& pieces = Layer().GetPieces();
            auto it = std::next(pieces.begin(), Between(0, static_cast<int32_t>(pieces.size()) - 1));
            return (*it)->GetStart().x / 10000;
        }
        return Between(0, LengthMm());
    }

    // A line, arc or double arc over a random stretch, handed to the layer as an OK'd element.
    void InsertElement() {
        const int32_t z1 = std::min(PickMm(), LengthMm() - 1);
        const int32_t z2 = std::min(LengthMm(), z1 + Between(1, 300));
        const CPoint a(z1 * 10000, Between(100000, 1500000));
        const CPoint b(z2 * 10000, Between(100000, 1500000));
        const CPoint mid((a.x + b.x) / 2, std::max(0, (a.y + b.y) / 2 + Between(-80000, 80000)));
        const int kind = Between(0, 2);
        m_log << " "
              << "LAD"[kind] << "(" << a.x << "," << a.y << " " << b.x << "," << b.y << " " << mid.y << ")";
        std::unique_ptr<CPiece> piece;
        if (kind == 0) {
            piece = std::make_unique<CLinear>(a, b);
        } else if (kind == 1) {
            piece = std::make_unique<CArc>(a, b, mid, &messages);
        } else {
            // Leaving along the chord to the junction, a little off it: a horizontal direction point
            // is a known fault of the double arc.
            const int32_t q = (mid.x - a.x) / 2;
            const CPoint dir(a.x + q, a.y + (mid.y - a.y) / 2 + Between(5000, 20000));
            piece = std::make_unique<CDoubleArc>(a, mid, b, dir, &messages);
        }
        // A curve that dips below the axis between its ends is the element's own matter (the
        // double arc's S-curves); the layer is only asked to keep what it is given.
        if (piece->GetMinY() < 0) {
            m_log << " skipped";
            return;
        }
        view->Tools().SetActive(std::move(piece));
        view->Tools().Apply(1);
    }

    void ChangeLength() {
        m_prompt.nLength = Between(0, 1) ? PickMm() * 10000 : Between(100, 1200) * 10000;
        m_prompt.nBase = Between(100, 300) * 10000;
        m_log << " length " << m_prompt.nLength << " base " << m_prompt.nBase;
        Command(ID_DRAWING_PROPERTIES);
        UseMillimetrePixels();
    }

    // In slow mode, so that the finished range stays a range: markers by a left and a right click.
    void MarkRange(int32_t a, int32_t b) {
        Command(ID_MODE_SLOW);
        Command(ID_TOOL_RANGE);
        LeftClick(Px(a));
        RightClick(Px(b));
    }

    // A range marked by the mouse, then mirrored or turned.
    void RangeEdit() {
        const int32_t a = PickMm();
        const int32_t b = PickMm();
        const int what = Between(0, 1);
        m_log << " " << (what == 0 ? "mirror" : "turn") << " " << a << ".." << b;
        MarkRange(a, b);
        Command(what == 0 ? static_cast<int>(ID_TOOL_MIRROR) : static_cast<int>(ID_TOOL_TURN));
        Command(ID_TOOL_SELECT);
        Command(ID_MODE_FAST);
    }

    // An element picked by a click and dragged with the move tool (applied on release).
    void MoveElement() {
        const int32_t z = Between(0, LengthMm());
        const int32_t dz = Between(-100, 100);
        const int32_t dx = Between(-30, 30);
        m_log << " move " << z << " by " << dz << "," << dx;
        Command(ID_TOOL_SELECT);
        LeftClick(Px(z));
        Command(ID_TOOL_MOVE);
        const int y = Py(Layer().GetYAt(z * 10000) / 10000);
        Drag(CPoint(Px(z), y), CPoint(Px(z + dz), y - dx));
        Command(ID_TOOL_SELECT);
    }

    // An element picked by a click, or a range marked in slow mode, copied or cut; or a paste.
    void ClipboardEdit() {
        const int what = Between(0, 3);
        if (what == 3) {
            m_log << " paste";
            Command(ID_EDIT_PASTE);
            return;
        }
        const bool cut = Between(0, 1) == 1;
        const int32_t a = Between(0, LengthMm());
        const int32_t b = PickMm();
        m_log << (cut ? " cut " : " copy ") << (what == 2 ? "range " : "element ") << a << ".." << b;
        if (what == 2) {
            MarkRange(a, b);
        } else {
            Command(ID_TOOL_SELECT);
            LeftClick(Px(a));
        }
        Command(cut ? ID_EDIT_CUT : ID_EDIT_COPY);
        Command(ID_TOOL_SELECT);
        Command(ID_MODE_FAST);
    }

    void Step() {
        switch (Between(0, 7)) {
            case 0:
            case 1: InsertElement(); break;
            case 2: ChangeLength(); break;
            case 3: RangeEdit(); break;
            case 4: MoveElement(); break;
            case 5: ClipboardEdit(); break;
            case 6:
                m_log << " undo";
                if (doc->CanUndo()) {
                    Command(ID_EDIT_UNDO);
                }
                break;
            default:
                m_log << " redo";
                if (doc->CanRedo()) {
                    Command(ID_EDIT_REDO);
                }
                break;
        }
    }

    // Every layer sound, and each history's current snapshot the layer itself.
    std::string Check() {
        for (int i = 0; i < CLayer::kLayerCount; ++i) {
            const CLayer& layer = *doc->GetLayer(i);
            std::string broken = CheckLayer(layer, doc->GetLength());
            if (!broken.empty()) {
                return "layer " + std::to_string(i + 1) + ": " + broken;
            }
            const CLayerUndo& undo = doc->GetUndo(i);
            const CLayer* snapshot = undo.GetSnapshot(undo.GetPosition());
            if (!snapshot || Signature(*snapshot) != Signature(layer)) {
                return "layer " + std::to_string(i + 1) + ": undo snapshot differs from the layer";
            }
        }
        return "";
    }

    std::mt19937 m_rng;
    std::ostringstream m_log;
    CLengthPrompt m_prompt;
};
}  // namespace

TEST_F(LayerEditProperty, RandomSessionsKeepLayersSoundAndUndoCurrent) {
    for (int n = 0; n < kSequences; ++n) {
        Begin(kSeed + static_cast<uint32_t>(n));
        for (int s = 0; s < kStepsPerSequence; ++s) {
            Step();
            const std::string broken = Check();
            ASSERT_EQ(broken, "") << m_log.str();
        }
    }
}
