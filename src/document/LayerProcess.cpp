// The post-processor's work on a layer copy: chain walks, compound expansion, step lines, corners.
#include <algorithm>
#include <vector>

#include "document/Layer.h"
#include "elements/Linear.h"

namespace {
int32_t AxialLength(const CPiece& p) {
    return p.GetEnd().x - p.GetStart().x;
}

int32_t ClampedSum(int64_t a, int64_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(a + b, -kRoundLimit, kRoundLimit));
}

std::unique_ptr<CLinear> LineFrom(CPoint a, CPoint b, const CPiece& attributes, bool withLeave) {
    auto line = std::make_unique<CLinear>(a, b);
    line->m_nFeed = attributes.m_nFeed;
    line->m_nSpeed = attributes.m_nSpeed;
    if (withLeave) {
        line->m_nLeave = attributes.m_nLeave;
    }
    line->UpdateBounds();
    return line;
}
}  // namespace

CPiece* CLayer::BeginWalk(int forward) {
    m_bWalkForward = forward ? 1 : 0;
    if (forward || m_pieces.empty()) {
        m_posWalk = forward ? m_pieces.begin() : m_pieces.end();
    } else {
        m_posWalk = std::prev(m_pieces.end());
    }
    return forward ? m_pLeftBorder.get() : m_pRightBorder.get();
}

CPiece* CLayer::NextInWalk(int forward) {
    if ((forward ? 1 : 0) != m_bWalkForward || m_posWalk == m_pieces.end()) {
        return nullptr;
    }
    CPiece* piece = m_posWalk->get();
    if (forward) {
        ++m_posWalk;
    } else {
        m_posWalk = m_posWalk == m_pieces.begin() ? m_pieces.end() : std::prev(m_posWalk);
    }
    return piece;
}

CPiece* CLayer::GetWalkEndBorder(int forward) const {
    if ((forward ? 1 : 0) != m_bWalkForward) {
        return nullptr;
    }
    return forward ? m_pRightBorder.get() : m_pLeftBorder.get();
}

void CLayer::ExpandCompound() {
    for (auto it = m_pieces.begin(); it != m_pieces.end();) {
        const CPiece& compound = **it;
        if (!compound.IsCompound()) {
            ++it;
            continue;
        }
        std::vector<std::unique_ptr<CPiece>> parts;
        while (auto part = compound.GetPart(static_cast<int>(parts.size()) + 1)) {
            parts.push_back(std::move(part));
        }
        if (parts.empty() || parts.front()->GetStart().x != compound.GetStart().x ||
            parts.back()->GetEnd().x != compound.GetEnd().x) {
            ++it;
            continue;
        }
        for (auto& part : parts) {
            m_pieces.insert(it, std::move(part));
        }
        it = m_pieces.erase(it);
    }
}

void CLayer::InsertStepLines(int forward) {
    if (!m_pLeftBorder || !m_pRightBorder) {
        return;
    }
    auto step = [](const CPiece& left, const CPiece& right) {
        return LineFrom(left.GetEnd(), right.GetStart(), left, false);
    };
    if (forward) {
        const CPiece* left = m_pLeftBorder.get();
        for (auto it = m_pieces.begin(); it != m_pieces.end(); ++it) {
            if ((*it)->GetStart().y != left->GetEnd().y) {
                m_pieces.insert(it, step(*left, **it));
            }
            left = it->get();
        }
        if (m_pRightBorder->GetStart().y != left->GetEnd().y) {
            m_pieces.push_back(step(*left, *m_pRightBorder));
        }
        return;
    }
    const CPiece* right = m_pRightBorder.get();
    for (auto it = m_pieces.end(); it != m_pieces.begin();) {
        --it;
        if (right->GetStart().y != (*it)->GetEnd().y) {
            m_pieces.insert(std::next(it), step(**it, *right));
        }
        right = it->get();
    }
    if (right->GetStart().y != m_pLeftBorder->GetEnd().y) {
        m_pieces.push_front(step(*m_pLeftBorder, *right));
    }
}

void CLayer::AddBordersAsLines() {
    if (m_pLeftBorder) {
        m_pieces.push_front(std::make_unique<CLinear>(*m_pLeftBorder));
    }
    if (m_pRightBorder) {
        m_pieces.push_back(std::make_unique<CLinear>(*m_pRightBorder));
    }
}

void CLayer::SplitAt(int32_t x) {
    SplitAtPos(FindPosAtStrict(x), x);
}

CLayer::Pos CLayer::SplitAtPos(Pos pos, int32_t x) {
    if (pos == m_pieces.end()) {
        return pos;
    }
    auto copy = (*pos)->Clone();
    if (!copy) {
        return pos;
    }
    (*pos)->CutEndAt(x, nullptr);
    copy->CutStartAt(x, nullptr);
    m_pieces.insert(std::next(pos), std::move(copy));
    return pos;
}

CCornerCut CLayer::CutCorner(int32_t x, int32_t h, int32_t l, int withStep) {
    Pos pos = FindPosAtStrict(x);
    Pos stop;
    return CutCornerAt(pos, x, h, l, withStep, stop);
}

CCornerCut CLayer::CutCornerAt(Pos& pos, int32_t x, int32_t h, int32_t l, int withStep, Pos& stop) {
    stop = pos;
    if (pos == m_pieces.end()) {
        return {};
    }
    auto copy = (*pos)->Clone();
    if (!copy) {
        return {};
    }
    std::unique_ptr<CPiece> piece = std::move(*pos);
    pos = m_pieces.erase(pos);
    stop = pos;
    h = std::max(h, 0);
    l = std::max(l, 0);

    const int32_t xh = ClampedSum(x, -static_cast<int64_t>(h));
    std::unique_ptr<CLinear> left;
    if (piece->GetStart().x < xh) {
        left = LineFrom({xh, piece->GetYAt(xh)}, {x, piece->GetYAt(x)}, *piece, true);
        piece->CutEndAt(xh, nullptr);
    } else {
        const int32_t sx = piece->GetStart().x;
        left = LineFrom({sx, piece->GetYAt(sx)}, {x, piece->GetYAt(x)}, *piece, true);
        h = x - sx;
        piece.reset();
    }
    const int32_t xl = ClampedSum(x, l);
    std::unique_ptr<CLinear> right;
    if (xl < copy->GetEnd().x) {
        right = LineFrom({x, copy->GetYAt(x)}, {xl, copy->GetYAt(xl)}, *copy, true);
        copy->CutStartAt(xl, nullptr);
    } else {
        right = LineFrom({x, copy->GetYAt(x)}, copy->GetEnd(), *copy, true);
        l = copy->GetEnd().x - x;
        copy.reset();
    }

    const CPoint joint = left->GetEnd();
    Pos first = piece ? m_pieces.insert(stop, std::move(piece)) : m_pieces.end();
    const Pos leftPos = m_pieces.insert(stop, std::move(left));
    if (first == m_pieces.end()) {
        first = leftPos;
    }
    if (withStep) {
        m_pieces.insert(stop, std::make_unique<CLinear>(joint, joint));
    }
    m_pieces.insert(stop, std::move(right));
    if (copy) {
        m_pieces.insert(stop, std::move(copy));
    }
    pos = first;
    return {h, l};
}

bool CLayer::CombineCorner(CLayer& other, CSearchHint& hint, int32_t offset, Pos s, Pos r, int32_t size1,
                           int32_t size2, Pos& nextLeft, Pos& nextRight) {
    CPiece& sp = **s;
    CPiece& rp = **r;
    if (AxialLength(rp) == 0) {
        return false;
    }
    const int32_t x = ClampedSum(sp.GetEnd().x, offset);
    if (sp.GetEndSlope() == rp.GetStartSlope()) {
        const Pos at = other.SplitAtPos(other.FindPosAtStrict(x, hint), x);
        if (at != other.m_pieces.end()) {
            const Pos next = std::next(at);
            other.NoteEdit(hint, at, next == other.m_pieces.end() ? next : std::next(next));
        }
        return false;
    }
    int32_t h = size1;
    const int32_t l = std::min(size2, AxialLength(rp));
    // A zero-length element left of the corner is a radial step; the corner is then cut on the
    // element before it.
    const bool step = AxialLength(sp) == 0 && s != m_pieces.begin();
    const Pos u = step ? std::prev(s) : s;
    h = std::min(h, AxialLength(**u));
    Pos at = other.FindPosAtStrict(x, hint);
    Pos stop;
    const CCornerCut cut = other.CutCornerAt(at, x, h, l, step ? 1 : 0, stop);
    if (at != other.m_pieces.end()) {
        other.NoteEdit(hint, at, stop);
    }
    if (cut.h == 0 && cut.l == 0) {
        return false;
    }
    CPiece& up = **u;
    const int32_t ax = up.GetEnd().x - cut.h;
    const int32_t bx = ClampedSum(rp.GetStart().x, cut.l);
    auto a = std::make_unique<CLinear>(CPoint(ax, up.GetYAt(ax)), up.GetEnd());
    auto b = std::make_unique<CLinear>(rp.GetStart(), CPoint(bx, rp.GetYAt(bx)));
    a->UpdateBounds();
    b->UpdateBounds();
    const Pos aPos = m_pieces.insert(step ? s : r, std::move(a));
    const Pos bPos = m_pieces.insert(r, std::move(b));
    if (ax == up.GetStart().x) {
        nextRight = aPos;
        m_pieces.erase(u);
    } else {
        up.CutEndAt(ax, nullptr);
        nextRight = u;
    }
    if (bx == rp.GetEnd().x) {
        nextLeft = bPos;
        m_pieces.erase(r);
    } else {
        rp.CutStartAt(bx, nullptr);
        nextLeft = r;
    }
    return true;
}

void CLayer::CombineForward(CLayer& other, int32_t offset, int32_t size1, int32_t size2) {
    CSearchHint hint = other.StartSearch();
    auto s = m_pieces.begin();
    while (s != m_pieces.end() && std::next(s) != m_pieces.end()) {
        auto r = std::next(s);
        Pos nextLeft;
        Pos nextRight;
        s = CombineCorner(other, hint, offset, s, r, size1, size2, nextLeft, nextRight) ? nextLeft : r;
    }
}

void CLayer::CombineBackward(CLayer& other, int32_t offset, int32_t size1, int32_t size2) {
    if (m_pieces.size() < 2) {
        return;
    }
    CSearchHint hint = other.StartSearch();
    auto r = std::prev(m_pieces.end());
    while (r != m_pieces.begin()) {
        auto s = std::prev(r);
        Pos nextLeft;
        Pos nextRight;
        r = CombineCorner(other, hint, offset, s, r, size1, size2, nextLeft, nextRight) ? nextRight : s;
    }
}

void CLayer::CombineProfiles(CLayer& other, int32_t offset, int forward, int32_t size1, int32_t size2) {
    if (&other == this) {
        return;
    }
    if (forward) {
        CombineForward(other, offset, size1, size2);
    } else {
        CombineBackward(other, offset, size1, size2);
    }
}
