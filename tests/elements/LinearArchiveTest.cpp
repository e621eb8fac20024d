// The line's record in the document archive.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/Linear.h"

namespace {
std::vector<uint8_t> Expected(const std::vector<int32_t>& ints) {
    CArchive ar;
    ar.WriteString("LINEAR");
    ar.WriteString("Zacatek Linearu");
    for (int32_t v : ints) {
        ar.WriteInt(v);
    }
    ar.WriteString("Konec Linearu");
    return ar.GetBytes();
}

CLinear Sample() {
    CLinear line(100, 200, 300, 400);
    line.SetLock(kLockEndZ, 1);
    line.SetLock(kLockStartX, 1);
    line.SetFeed(300);
    line.SetNumber(2);
    return line;
}
}  // namespace

TEST(LinearArchive, RecordIsTagsLocksAttributesAndPoints) {
    CLinear line = Sample();
    CArchive out;
    line.Serialize(out);
    // Locks end Z, end X, start Z, start X; leave, feed, speed, number; start, end.
    EXPECT_EQ(out.GetBytes(), Expected({1, 0, 0, 1, -5, 300, -1, 2, 100, 200, 300, 400}));
    EXPECT_EQ(out.GetBytes()[7], 15);
}

TEST(LinearArchive, ReaderStartsAtTheOpeningTag) {
    CLinear line = Sample();
    CArchive out;
    line.Serialize(out);
    CArchive in(out.GetBytes());
    ASSERT_EQ(in.ReadString(), "LINEAR");  // the layer dispatches on the kind tag
    CLinear back;
    back.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.GetStart(), CPoint(100, 200));
    EXPECT_EQ(back.GetEnd(), CPoint(300, 400));
    EXPECT_EQ(back.GetFeed(), 300);
    EXPECT_EQ(back.GetSpeed(), -1);
    EXPECT_EQ(back.GetLeave(), kLeaveNone);
    EXPECT_EQ(back.GetNumber(), 2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(back.GetLock(i), line.GetLock(i)) << i;
    }
    EXPECT_EQ(back.GetBounds(), CRect(100, 400, 300, -400));
}

TEST(LinearArchive, TruncatedRecordFailsTheStream) {
    CLinear line = Sample();
    CArchive out;
    line.Serialize(out);
    std::vector<uint8_t> bytes = out.GetBytes();
    for (size_t cut = 7; cut < bytes.size(); cut += 5) {
        CArchive in(std::vector<uint8_t>(bytes.begin() + 7, bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
        CLinear back;
        back.Serialize(in);
        EXPECT_TRUE(in.Failed()) << cut;
    }
}
