// Insertion into a layer: the start and end cases, refusals, borders and numbering.
#include <gtest/gtest.h>

#include "TestLayers.h"
#include "document/KestrovelDoc.h"
#include "platform/Messages.h"

namespace {

TEST(LayerInsert, LineInsideTheOnlyElementSplitsIt) {
    CLayer layer;
    MakeFlatLayer(layer);
    layer.AddPiece(std::make_unique<CLinear>(2000000, 800000, 3000000, 800000), 0);
    EXPECT_EQ(Spans(layer), (std::vector<std::string>{"0,1000000-2000000,1000000", "2000000,800000-3000000,800000",
                                                      "3000000,1000000-9000000,1000000"}));
    std::vector<int> numbers;
    for (const auto& p : layer.GetPieces()) {
        numbers.push_back(p->GetNumber());
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(layer.GetNextNumber(), 4);
    EXPECT_EQ(CheckChain(layer), "");
}

}  // namespace
