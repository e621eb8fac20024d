// Searches of a pass from a cursor give what a search from the head gives, whatever the list holds.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <vector>

#include "document/ChainSearch.h"
#include "elements/Linear.h"

namespace {

using Pos = CChainSearch::Pos;

int Index(const CPieceList& pieces, Pos pos) {
    return static_cast<int>(std::distance(const_cast<CPieceList&>(pieces).begin(), pos));
}

// The searches as a walk from the head does them.
Pos HeadCut(CPieceList& pieces, int32_t x) {
    Pos it = pieces.begin();
    while (it != pieces.end() && (*it)->GetStart().x < x && (*it)->GetEnd().x <= x) {
        ++it;
    }
    return it;
}

void HeadCorner(CPieceList& pieces, int32_t x, Pos& left, Pos& right) {
    left = right = pieces.end();
    for (Pos it = pieces.begin(); it != pieces.end() && (*it)->GetStart().x <= x; ++it) {
        if ((*it)->GetEnd().x <= (*it)->GetStart().x) {
            continue;
        }
        if ((*it)->GetEnd().x == x) {
            left = it;
        } else if ((*it)->GetStart().x == x && right == pieces.end()) {
            right = it;
        }
    }
}

int32_t Draw(std::mt19937& random, int32_t below) {
    return below > 0 ? static_cast<int32_t>(random() % static_cast<uint32_t>(below)) : 0;
}

// A chain of lines with gaps and elements of no length; tangled, some start before the previous
// one ends or run backwards.
CPieceList RandomList(std::mt19937& random, bool tangled) {
    CPieceList pieces;
    int32_t z = Draw(random, 5) - 2;
    const int count = 1 + Draw(random, 40);
    for (int i = 0; i < count; ++i) {
        int32_t start = z + (Draw(random, 4) == 0 ? Draw(random, 3) : 0);
        int32_t end = start + (Draw(random, 5) == 0 ? 0 : 1 + Draw(random, 6));
        if (tangled && Draw(random, 8) == 0) {
            start -= 1 + Draw(random, 8);
        }
        if (tangled && Draw(random, 15) == 0) {
            std::swap(start, end);
        }
        pieces.push_back(std::make_unique<CLinear>(start, 0, end, 0));
        z = std::max(z, end);
    }
    return pieces;
}

}  // namespace

// Positions rise, fall or jump; now and then an element is reshaped or a new one put in, ordered
// or not, and the search is told. Every answer must be the head search's answer.
TEST(ChainSearch, AnswersAsASearchFromTheHeadThroughEdits) {
    std::mt19937 random(4242);
    int fromCursor = 0;
    for (int round = 0; round < 3000; ++round) {
        CPieceList pieces = RandomList(random, round % 3 == 0);
        CChainSearch search(pieces, true);
        const int32_t span = pieces.back()->GetEnd().x + 4;
        int32_t x = -3;
        for (int step = 0; step < 60; ++step) {
            x = Draw(random, 6) == 0 ? Draw(random, span) - 3 : x + Draw(random, 4);
            if (Draw(random, 5) == 0) {
                Pos at = std::next(pieces.begin(), Draw(random, static_cast<int32_t>(pieces.size())));
                const int32_t start = (*at)->GetStart().x;
                const int32_t end = (*at)->GetEnd().x;
                if (Draw(random, 4) != 0) {
                    // A split, as a cut makes it: two pieces in the place of one.
                    const int32_t mid = start + (end > start ? Draw(random, end - start + 1) : 0);
                    *at = std::make_unique<CLinear>(start, 0, mid, 0);
                    search.Changed(pieces.insert(std::next(at), std::make_unique<CLinear>(mid, 0, end, 0)));
                } else {
                    const int32_t from = start + Draw(random, 3) - 1;
                    *at = std::make_unique<CLinear>(from, 0, from + Draw(random, 5) - 1, 0);
                }
                search.Changed(at);
            }
            fromCursor += search.IsOrdered() ? 1 : 0;
            // Corners are looked for after a cut at the same place, and alone.
            const int32_t which = Draw(random, 3);
            if (which != 2) {
                const int cut = Index(pieces, search.FindCut(x));
                ASSERT_EQ(cut, Index(pieces, HeadCut(pieces, x))) << "round " << round << " x " << x;
            }
            if (which != 0) {
                Pos left;
                Pos right;
                Pos headLeft;
                Pos headRight;
                search.FindCorner(x, left, right);
                HeadCorner(pieces, x, headLeft, headRight);
                ASSERT_EQ(Index(pieces, left), Index(pieces, headLeft)) << "round " << round << " x " << x;
                ASSERT_EQ(Index(pieces, right), Index(pieces, headRight)) << "round " << round << " x " << x;
            }
        }
    }
    // Most of the searches must have been the quick ones, or this says nothing about them.
    EXPECT_GT(fromCursor, 3000 * 60 / 4);
}

TEST(ChainSearch, OrderNeedsNoOverlapAndNoBackwardElement) {
    CPieceList pieces;
    pieces.push_back(std::make_unique<CLinear>(0, 0, 5, 0));
    pieces.push_back(std::make_unique<CLinear>(5, 0, 5, 0));
    pieces.push_back(std::make_unique<CLinear>(7, 0, 9, 0));
    EXPECT_TRUE(CChainSearch(pieces, true).IsOrdered());
    EXPECT_FALSE(CChainSearch(pieces, false).IsOrdered());
    CChainSearch search(pieces, true);
    *pieces.begin() = std::make_unique<CLinear>(0, 0, 6, 0);
    search.Changed(pieces.begin());
    EXPECT_FALSE(search.IsOrdered());
    pieces.back() = std::make_unique<CLinear>(9, 0, 7, 0);
    pieces.front() = std::make_unique<CLinear>(0, 0, 5, 0);
    EXPECT_FALSE(CChainSearch(pieces, true).IsOrdered());
}
