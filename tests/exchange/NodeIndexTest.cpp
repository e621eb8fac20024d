// The grid of segment ends against a plain search over every node made so far.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "exchange/NodeIndex.h"

namespace {

// Every node with the cell it was filed in, looked at cell by cell in the grid's order.
struct CPlainIndex {
    struct CNode {
        CPlanePoint p;
        long long cz, cx;
        bool exact;
    };
    std::vector<CNode> nodes;

    int Find(CPlanePoint p, bool exact) {
        const long long cz = CNodeIndex::Cell(p.z), cx = CNodeIndex::Cell(p.x);
        for (long long i = cz - 1; i <= cz + 1; ++i) {
            for (long long j = cx - 1; j <= cx + 1; ++j) {
                for (size_t n = 0; n < nodes.size(); ++n) {
                    CNode& node = nodes[n];
                    if (node.cz == i && node.cx == j && std::hypot(node.p.z - p.z, node.p.x - p.x) <= CNodeIndex::kJoin) {
                        if (exact && !node.exact) {
                            node.p = p;
                            node.exact = true;
                        }
                        return static_cast<int>(n);
                    }
                }
            }
        }
        nodes.push_back({p, cz, cx, exact});
        return static_cast<int>(nodes.size()) - 1;
    }
};

TEST(NodeIndex, JoinsEndsAsAPlainSearchDoes) {
    std::mt19937 random(25);
    for (int round = 0; round < 20; ++round) {
        // Ends crowded into a few cells, so that many meet, some at a cell's edge; a small
        // expected count makes the grid grow on the way.
        std::uniform_real_distribution<double> place(-0.004, 0.004);
        std::uniform_int_distribution<int> cluster(0, 40);
        CNodeIndex index(4);
        CPlainIndex plain;
        for (int i = 0; i < 600; ++i) {
            const CPlanePoint p{cluster(random) * 0.01 + place(random), cluster(random) * 0.01 + place(random)};
            const bool exact = random() % 3 == 0;
            ASSERT_EQ(index.Find(p, exact), plain.Find(p, exact)) << round << " " << i;
        }
        ASSERT_EQ(index.Size(), plain.nodes.size());
        for (size_t n = 0; n < plain.nodes.size(); ++n) {
            ASSERT_EQ(index.Point(static_cast<int>(n)).z, plain.nodes[n].p.z);
        }
    }
}

}  // namespace
