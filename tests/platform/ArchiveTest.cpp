// The archive's primitives, length-prefixed strings and read failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Archive.h"

namespace {
using Bytes = std::vector<uint8_t>;

Bytes Prefix(const std::string& s) {
    CArchive ar;
    ar.WriteString(s);
    const Bytes& all = ar.GetBytes();
    return Bytes(all.begin(), all.end() - static_cast<std::ptrdiff_t>(s.size()));
}
}  // namespace

TEST(ArchiveString, LengthPrefixHasOneThreeOrSevenBytes) {
    EXPECT_EQ(Prefix(""), (Bytes{0x00}));
    EXPECT_EQ(Prefix(std::string(254, 'a')), (Bytes{0xFE}));
    EXPECT_EQ(Prefix(std::string(255, 'a')), (Bytes{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(Prefix(std::string(65533, 'a')), (Bytes{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(Prefix(std::string(65534, 'a')), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Prefix(std::string(65535, 'a')), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Prefix(std::string(70000, 'a')), (Bytes{0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
}

TEST(ArchiveString, EveryLengthFormRoundTrips) {
    CArchive out;
    std::vector<std::string> texts;
    for (size_t n : {0u, 1u, 254u, 255u, 65533u, 65534u, 65535u, 70000u}) {
        std::string s(n, 'x');
        for (size_t i = 0; i < n; ++i) {
            s[i] = static_cast<char>(i * 7 % 256);
        }
        texts.push_back(s);
        out.WriteString(s);
    }
    out.WriteInt(-7);
    CArchive in(out.GetBytes());
    for (const std::string& s : texts) {
        EXPECT_EQ(in.ReadString(), s);
    }
    EXPECT_EQ(in.ReadInt(), -7);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveString, TagIsLengthByteAndText) {
    CArchive ar;
    ar.WriteString("Zacatek Linearu");
    const Bytes& b = ar.GetBytes();
    ASSERT_EQ(b.size(), 16u);
    EXPECT_EQ(b[0], 15);
    EXPECT_EQ(std::string(b.begin() + 1, b.end()), "Zacatek Linearu");
}

TEST(ArchiveRead, LengthBeyondRemainingBytesFailsWithoutReading) {
    CArchive in(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'});
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(in.GetOffset(), 7u);  // the text itself is never touched
}

TEST(ArchiveRead, ShortReadIsStickyForEveryLaterRead) {
    CArchive in(Bytes{1, 0, 0, 0, 2, 0});
    EXPECT_EQ(in.ReadInt(), 1);
    EXPECT_EQ(in.ReadInt(), 0);
    EXPECT_TRUE(in.Failed());
    const std::string error = in.GetError();
    EXPECT_NE(error.find("byte 4"), std::string::npos);
    // Two bytes remain, enough for a short string length, but the stream stays failed.
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_EQ(in.ReadDouble(), 0.0);
    EXPECT_EQ(in.ReadPoint(), CPoint());
    EXPECT_EQ(in.GetError(), error);
}

TEST(ArchiveRead, TruncatedLengthPrefixesFail) {
    for (const Bytes& b : {Bytes{0xFF}, Bytes{0xFF, 0x10}, Bytes{0xFF, 0xFF, 0xFF, 0x01, 0x00}, Bytes{3, 'a'}}) {
        CArchive in(b);
        EXPECT_EQ(in.ReadString(), "");
        EXPECT_TRUE(in.Failed());
    }
}

TEST(ArchiveRead, WideStringMarkerIsRefused) {
    CArchive in(Bytes{0xFF, 0xFE, 0xFF, 0x01, 'a'});
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_TRUE(in.Failed());
}

TEST(ArchivePrimitives, LittleEndianLayoutAndRoundTrip) {
    CArchive out;
    out.WriteInt(-2);
    out.WriteDword(0x00FF0000u);
    out.WriteRect(CRect(0, 1000000, 9000000, 0));
    out.WriteDouble(0.5);
    const Bytes& b = out.GetBytes();
    ASSERT_EQ(b.size(), 4u + 4u + 16u + 8u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00}));
    EXPECT_EQ(Bytes(b.begin() + 12, b.begin() + 16), (Bytes{0x40, 0x42, 0x0F, 0x00}));
    EXPECT_EQ(Bytes(b.end() - 8, b.end()), (Bytes{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));
    CArchive in(b);
    EXPECT_EQ(in.ReadInt(), -2);
    EXPECT_EQ(in.ReadDword(), 0x00FF0000u);
    EXPECT_EQ(in.ReadRect(), CRect(0, 1000000, 9000000, 0));
    EXPECT_EQ(in.ReadDouble(), 0.5);
    EXPECT_FALSE(in.Failed());
}

TEST(ArchiveFile, AtomicWriteReplacesAndReadsBack) {
    const std::string path = std::string(KESTROVEL_BINARY_DIR) + "/archive_test.bin";
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(path, Bytes{1, 2, 3}, error)) << error;
    ASSERT_TRUE(WriteFileAtomic(path, Bytes{4, 5}, error)) << error;
    Bytes back;
    ASSERT_TRUE(ReadFileBytes(path, back, error)) << error;
    EXPECT_EQ(back, (Bytes{4, 5}));
    EXPECT_FALSE(WriteFileAtomic(std::string(KESTROVEL_BINARY_DIR) + "/no/such/dir/x", Bytes{1}, error));
    EXPECT_FALSE(ReadFileBytes(std::string(KESTROVEL_BINARY_DIR) + "/no/such/file", back, error));
}
