// Random profiles through the post-processor's preparation of layer copies: the chain stays sound.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "TestLayers.h"
#include "elements/Arc.h"
#include "elements/DoubleArc.h"

namespace {
constexpr uint32_t kSeed = 20261208;
constexpr int kSequences = 10000;
constexpr int32_t kLength = 2000000;

// Empty when the prepared chain is ordered, joined point to point and free of elements whose
// start and end coincide (radial step lines, of no axial length, are fine).
std::string CheckPrepared(const CLayer& layer) {
    const CPiece* prev = nullptr;
    int i = 0;
    for (const auto& p : layer.GetPieces()) {
        ++i;
        if (p->GetEnd().x < p->GetStart().x) {
            return "element " + std::to_string(i) + " runs backwards";
        }
        if (p->GetEnd() == p->GetStart()) {
            return "element " + std::to_string(i) + " is a point";
        }
        if (prev && prev->GetEnd() != p->GetStart()) {
            return "not joined before element " + std::to_string(i);
        }
        prev = p.get();
    }
    return "";
}

class CRandomProfile {
public:
    explicit CRandomProfile(std::mt19937& rng) : m_rng(rng) {}

    int32_t Between(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(m_rng); }

    // An axial position: often an existing boundary, so that operations meet them exactly.
    int32_t PickZ(const CLayer& layer) {
        if (Between(0, 2) == 0) {
            std::vector<int32_t> cuts;
            for (const auto& p : layer.GetPieces()) {
                cuts.push_back(p->GetStart().x);
                cuts.push_back(p->GetEnd().x);
            }
            return cuts[static_cast<size_t>(Between(0, static_cast<int32_t>(cuts.size()) - 1))];
        }
        return Between(-100000, kLength + 100000);
    }

    // A flat layer with a few lines, arcs and double arcs, as a user may leave it.
    void Fill(CLayer& layer, std::ostream& log) {
        MakeFlatLayer(layer, kLength, 500000);
        const int count = Between(0, 4);
        for (int i = 0; i < count; ++i) {
            int32_t z1 = std::clamp(PickZ(layer), 0, kLength - 20000);
            const int32_t z2 = std::min(kLength, z1 + Between(20000, 800000));
            const CPoint a(z1, Between(100000, 900000));
            const CPoint b(z2, Between(100000, 900000));
            const CPoint mid((z1 + z2) / 2, (a.y + b.y) / 2 + Between(-60000, 60000));
            const int kind = Between(0, 2);
            log << " "
                << "LAD"[kind] << "(" << a.x << "," << a.y << " " << b.x << "," << b.y << " " << mid.y << ")";
            if (kind == 0) {
                layer.AddPiece(std::make_unique<CLinear>(a, b), 0);
            } else if (kind == 1) {
                layer.AddPiece(std::make_unique<CArc>(a, b, mid), 0);
            } else {
                // The direction point lies off the horizontal: a horizontal one is a known fault
                // of the double arc itself.
                const CPoint dir(z1 + (z2 - z1) / 4, a.y + (Between(0, 1) ? 1 : -1) * Between(20000, 90000));
                layer.AddPiece(std::make_unique<CDoubleArc>(a, mid, b, dir), 0);
            }
        }
    }

private:
    std::mt19937& m_rng;
};
}  // namespace

// Expansion, step lines and borders as lines, then splits, corner cuts and the combination of
// two layers in either direction, in random order on random profiles.
TEST(LayerPreparationProperty, PreparedCopiesStayOrderedJoinedAndWithoutPoints) {
    for (int n = 0; n < kSequences; ++n) {
        std::mt19937 rng(kSeed + static_cast<uint32_t>(n));
        CRandomProfile random(rng);
        std::ostringstream log;
        log << "seed " << kSeed + static_cast<uint32_t>(n) << ":";
        CLayer first;
        CLayer second;
        random.Fill(first, log);
        log << " |";
        random.Fill(second, log);
        const int forward = random.Between(0, 1);
        for (CLayer* layer : {&first, &second}) {
            layer->ExpandCompound();
            layer->InsertStepLines(forward);
            layer->AddBordersAsLines();
            ASSERT_EQ(CheckPrepared(*layer), "") << log.str() << " prepared " << forward;
        }
        const int steps = random.Between(1, 4);
        for (int s = 0; s < steps; ++s) {
            CLayer& layer = random.Between(0, 1) ? first : second;
            const int op = random.Between(0, 2);
            const int32_t x = random.PickZ(layer);
            if (op == 0) {
                log << " split " << x;
                layer.SplitAt(x);
            } else if (op == 1) {
                const int32_t h = random.Between(0, 150000);
                const int32_t l = random.Between(0, 150000);
                const int step = random.Between(0, 1);
                log << " corner " << x << " " << h << " " << l << " " << step;
                layer.CutCorner(x, h, l, step);
            } else {
                const int32_t offset = random.Between(0, 3) == 0 ? 0 : random.Between(-300000, 300000);
                const int32_t size1 = random.Between(0, 150000);
                const int32_t size2 = random.Between(0, 150000);
                const int dir = random.Between(0, 1);
                log << " combine " << offset << " " << dir << " " << size1 << " " << size2;
                layer.CombineProfiles(&layer == &first ? second : first, offset, dir, size1, size2);
            }
            ASSERT_EQ(CheckPrepared(first), "") << log.str();
            ASSERT_EQ(CheckPrepared(second), "") << log.str();
        }
    }
}
