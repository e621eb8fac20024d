// The post-processor's work on a layer copy: chain walks, compound expansion, step lines, corners.
#include <algorithm>
#include <vector>

#include "document/Layer.h"
#include "elements/Linear.h"

namespace {
int32_t AxialLength(const CPiece& p) { return p.GetEnd().x - p.GetStart().x; }

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
// The corner lines of the walked layer carry no attributes of their own.
std::unique_ptr<CLinear> PlainLine(CPoint a, CPoint b) {
    auto line = std::make_unique<CLinear>(a, b);
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
    CChainSearch search(m_pieces, false);
    SplitAt(x, search);
}

void CLayer::SplitAt(int32_t x, CChainSearch& search) {
    // Only an element that strictly contains x is split: at a boundary either half would have no
    // length.
    const Pos pos = search.FindCut(x);
    if (pos == m_pieces.end() || (*pos)->GetStart().x >= x) {
        return;
    }
    auto copy = (*pos)->Clone();
    if (!copy) {
        return;
    }
    (*pos)->CutEndAt(x, nullptr);
    copy->CutStartAt(x, nullptr);
    search.Changed(m_pieces.insert(std::next(pos), std::move(copy)));
    search.Changed(pos);
}

CCornerCut CLayer::CutCorner(int32_t x, int32_t h, int32_t l, int withStep) {
    CChainSearch search(m_pieces, false);
    return CutCorner(x, h, l, withStep, search);
}

CCornerCut CLayer::CutCorner(int32_t x, int32_t h, int32_t l, int withStep, CChainSearch& search) {
    // A radial step of the walked layer needs no element here: its partner is found at its Z,
    // and an element of no length would only become a move of no length.
    (void)withStep;
    if (m_pieces.empty() || x < m_pieces.front()->GetStart().x || x > m_pieces.back()->GetEnd().x) {
        return {};
    }
    SplitAt(x, search);
    // x is a boundary now: the corner takes its left line from the element ending there and its
    // right line from the one starting there (step lines between them stay as they are).
    Pos left;
    Pos right;
    search.FindCorner(x, left, right);
    // The lines meet the pieces they were cut from at those pieces' own end points, so the
    // chain stays joined whatever the pieces' rounding.
    CCornerCut cut;
    if (left != m_pieces.end() && h > 0) {
        CPiece& e = **left;
        const int32_t xh = std::max(ClampedSum(x, -static_cast<int64_t>(h)), e.GetStart().x);
        cut.h = x - xh;
        if (xh > e.GetStart().x) {
            const CPoint end = e.GetEnd();
            e.CutEndAt(xh, nullptr);
            search.Changed(m_pieces.insert(std::next(left), LineFrom(e.GetEnd(), end, e, true)));
        } else {
            *left = LineFrom(e.GetStart(), e.GetEnd(), e, true);
        }
        search.Changed(left);
    }
    if (right != m_pieces.end() && l > 0) {
        CPiece& e = **right;
        const int32_t xl = std::min(ClampedSum(x, l), e.GetEnd().x);
        cut.l = xl - x;
        if (xl < e.GetEnd().x) {
            const CPoint start = e.GetStart();
            e.CutStartAt(xl, nullptr);
            search.Changed(m_pieces.insert(right, LineFrom(start, e.GetStart(), e, true)));
        } else {
            *right = LineFrom(e.GetStart(), e.GetEnd(), e, true);
        }
        search.Changed(right);
    }
    return cut;
}

bool CLayer::CombineCorner(CLayer& other, CChainSearch& search, int32_t offset, Pos s, Pos r, int32_t size1,
                           int32_t size2, Pos& nextLeft, Pos& nextRight) {
    CPiece& sp = **s;
    CPiece& rp = **r;
    if (AxialLength(rp) == 0) {
        return false;
    }
    const int32_t x = ClampedSum(sp.GetEnd().x, offset);
    if (sp.GetEndSlope() == rp.GetStartSlope()) {
        other.SplitAt(x, search);
        return false;
    }
    int32_t h = size1;
    const int32_t l = std::min(size2, AxialLength(rp));
    // A zero-length element left of the corner is a radial step; the corner is then cut on the
    // element before it.
    const bool step = AxialLength(sp) == 0 && s != m_pieces.begin();
    const Pos u = step ? std::prev(s) : s;
    h = std::min(h, AxialLength(**u));
    const CCornerCut cut = other.CutCorner(x, h, l, step ? 1 : 0, search);
    if (cut.h == 0 && cut.l == 0) {
        return false;
    }
    // A side the other layer could not cut (no length there) gets no line here either. A line
    // that takes a whole piece replaces it in place; the walk goes on from that position.
    CPiece& up = **u;
    nextRight = u;
    if (cut.h > 0) {
        const int32_t ax = up.GetEnd().x - cut.h;
        if (ax > up.GetStart().x) {
            const CPoint end = up.GetEnd();
            up.CutEndAt(ax, nullptr);
            m_pieces.insert(step ? s : r, PlainLine(up.GetEnd(), end));
        } else {
            *u = PlainLine(up.GetStart(), up.GetEnd());
        }
    }
    nextLeft = r;
    if (cut.l > 0) {
        const int32_t bx = ClampedSum(rp.GetStart().x, cut.l);
        if (bx < rp.GetEnd().x) {
            const CPoint start = rp.GetStart();
            rp.CutStartAt(bx, nullptr);
            m_pieces.insert(r, PlainLine(start, rp.GetStart()));
        } else {
            *r = PlainLine(rp.GetStart(), rp.GetEnd());
        }
    }
    return true;
}

void CLayer::CombineForward(CLayer& other, int32_t offset, int32_t size1, int32_t size2) {
    CChainSearch search(other.m_pieces, true);
    auto s = m_pieces.begin();
    while (s != m_pieces.end() && std::next(s) != m_pieces.end()) {
        auto r = std::next(s);
        Pos nextLeft;
        Pos nextRight;
        s = CombineCorner(other, search, offset, s, r, size1, size2, nextLeft, nextRight) ? nextLeft : r;
    }
}

void CLayer::CombineBackward(CLayer& other, int32_t offset, int32_t size1, int32_t size2) {
    if (m_pieces.size() < 2) {
        return;
    }
    CChainSearch search(other.m_pieces, true);
    auto r = std::prev(m_pieces.end());
    while (r != m_pieces.begin()) {
        auto s = std::prev(r);
        Pos nextLeft;
        Pos nextRight;
        r = CombineCorner(other, search, offset, s, r, size1, size2, nextLeft, nextRight) ? nextRight : s;
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
