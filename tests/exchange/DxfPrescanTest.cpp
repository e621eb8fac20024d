// What the DXF library is kept from: over-long lines, counts the file does not back, numbers that
// overflow, coordinates beyond the model, and runaway splines.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "exchange/DxfImport.h"
#include "exchange/DxfPrescan.h"
#include "exchange/DxfReader.h"

namespace {

std::string Entities(const std::string& body) {
    return "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n";
}

std::string Spline(int knotCount, int knots, int controlCount, int controls) {
    std::string s = "0\nSPLINE\n8\n0\n71\n1\n72\n" + std::to_string(knotCount) + "\n73\n" +
                    std::to_string(controlCount) + "\n";
    for (int i = 0; i < knots; ++i) {
        s += "40\n" + std::to_string(i < 2 ? 0 : (i >= knots - 2 ? knots - 3 : i - 1)) + "\n";
    }
    for (int i = 0; i < controls; ++i) {
        s += "10\n" + std::to_string(10 * i) + "\n20\n" + std::to_string(5 + i % 3) + "\n";
    }
    return s;
}

std::string Load(const std::string& text, CImportResult* out = nullptr) {
    CImportResult result;
    std::string error;
    CDxfImport().Load(text, {}, result, error);
    if (out) {
        *out = result;
    }
    return error;
}

TEST(DxfPrescan, LinesLongerThanTheLibraryReadsAreRefusedByNumber) {
    const std::string longest(CDxfPrescan::kMaxLineBytes - 1, 'A');
    const std::string line = "0\nLINE\n8\n" + longest + "\r\n10\n0\n20\n1\n11\n5\n21\n1\n";
    EXPECT_EQ(CDxfPrescan::Check(Entities(line)), "");
    CImportResult result;
    EXPECT_EQ(Load(Entities(line), &result), "");
    EXPECT_EQ(result.m_pieces.size(), 1u);
    const std::string over = "0\nLINE\n8\n" + longest + "AB\n10\n0\n20\n1\n11\n5\n21\n1\n";
    EXPECT_EQ(Load(Entities(over)), "line 8 is longer than 1022 characters, which no DXF line is");
    // Named first even behind a count the file does not back.
    EXPECT_EQ(CDxfPrescan::Check(Entities(Spline(9, 1, 4, 4) + over)),
              "line 36 is longer than 1022 characters, which no DXF line is");
}

TEST(DxfPrescan, CountsMustBeBackedByTheEntitysOwnEntries) {
    EXPECT_EQ(Load(Entities(Spline(6, 6, 4, 4))), "");
    EXPECT_EQ(Load(Entities(Spline(-2147483647 - 1, 6, 4, 4))),
              "line 12: the SPLINE announces -2147483648 knots, but a count cannot be negative");
    EXPECT_EQ(Load(Entities(Spline(6, 6, 5, 4))), "line 14: the SPLINE announces 5 control points, but it holds 4");
    EXPECT_EQ(Load(Entities(Spline(6, 6, 2000000000, 4))),
              "line 14: the SPLINE announces 2000000000 control points, but the rest of the file cannot hold them");
    EXPECT_EQ(Load(Entities("0\nLWPOLYLINE\n8\n0\n90\n3\n10\n0\n20\n1\n10\n5\n20\n1\n")),
              "line 10: the LWPOLYLINE announces 3 vertices, but it holds 2");
    EXPECT_EQ(Load(Entities("0\nHATCH\n8\n0\n91\n-1\n")),
              "line 10: the HATCH announces -1 boundary paths, but a count cannot be negative");
    // The same group codes mean other things in other entities.
    EXPECT_EQ(CDxfPrescan::Check(Entities("0\nTEXT\n8\n0\n72\n-4\n73\n99999\n")), "");
}

TEST(DxfPrescan, NumbersBeyondADoubleAndCoordinatesBeyondTheModelAreRefused) {
    const auto line = [](const std::string& z) {
        return Entities("0\nLINE\n8\n0\n10\n0\n20\n0\n11\n" + z + "\n21\n5\n");
    };
    EXPECT_EQ(Load(line("72.99e557")), "line 14: the number \"72.99e557\" is beyond what a drawing can hold");
    for (const char* bad : {"-1e400", "nan", "inf", "-INFINITY"}) {
        EXPECT_NE(Load(line(bad)).find("line 14: the number"), std::string::npos) << bad;
    }
    EXPECT_EQ(Load(line("1e300")), "the drawing reaches 1e+300 mm from its origin; a drawing holds 200000 mm");
    CDxfImportOptions inch;
    inch.strUnits = "inch";
    CImportResult result;
    std::string error;
    EXPECT_FALSE(CDxfImport().Load(line("8000"), inch, result, error));
    EXPECT_TRUE(CDxfImport().Load(line("7000"), inch, result, error)) << error;
    // Header values such as an empty drawing's extents are large but harmless.
    EXPECT_EQ(CDxfPrescan::Check("0\nSECTION\n2\nHEADER\n9\n$EXTMIN\n10\n1e+20\n0\nENDSEC\n0\nEOF\n"), "");
}

TEST(DxfPrescan, ANumberMissingIsRefusedRatherThanReadAsAnything) {
    for (const char* blank : {"", " \t", "\v\r"}) {
        const std::string text =
            Entities("0\nPOLYLINE\n8\n0\n66\n1\n0\nVERTEX\n8\n0\n10\n" + std::string(blank) +
                     "\n20\n5\n0\nVERTEX\n8\n0\n10\n9\n20\n5\n0\nSEQEND\n");
        EXPECT_EQ(Load(text), "line 16: a number is missing after group code 10") << blank;
    }
    // Text values may be empty, and so may numbers of entities the library passes over.
    EXPECT_EQ(CDxfPrescan::Check(Entities("0\nTEXT\n8\n0\n1\n\n10\n0\n20\n0\n")), "");
    EXPECT_EQ(CDxfPrescan::Check(Entities("0\nMLINE\n8\n0\n10\n\n20\n0\n")), "");
}

TEST(DxfPrescan, FarControlPointsDoNotMakeASplineOfMillionsOfPoints) {
    std::string s = Spline(8, 8, 4, 0);
    for (const char* p : {"0", "1e5", "-1e5", "1e5"}) {
        s += std::string("10\n") + p + "\n20\n" + p + "\n";
    }
    CDxfContent content;
    std::string error;
    ASSERT_TRUE(CDxfReader().Read(Entities(s), content, error)) << error;
    EXPECT_LE(content.m_segments.size(), 100000u);
}

// Any count in any of the counted entities is either backed by the entries that follow or refused,
// and nothing takes long.
TEST(DxfPrescan, RandomCountsAreBackedOrRefused) {
    std::mt19937 rng(24);
    const long long special[] = {-2147483648LL, -1, 0, 1, 2147483647LL, 10000000, 2000000000};
    const auto begin = std::chrono::steady_clock::now();
    for (int round = 0; round < 400; ++round) {
        const int entries = static_cast<int>(rng() % 9);
        long long count = rng() % 2 ? special[rng() % 7] : entries + static_cast<int>(rng() % 3) - 1;
        std::string body;
        switch (rng() % 3) {
            case 0: body = Spline(static_cast<int>(count), entries, entries, entries); break;
            case 1:
                body = "0\nLWPOLYLINE\n8\n0\n90\n" + std::to_string(count) + "\n";
                for (int i = 0; i < entries; ++i) {
                    body += "10\n" + std::to_string(i) + "\n20\n1\n";
                }
                break;
            default:
                body = "0\nSPLINE\n8\n0\n74\n" + std::to_string(count) + "\n";
                for (int i = 0; i < entries; ++i) {
                    body += "11\n" + std::to_string(i) + "\n21\n1\n";
                }
        }
        const std::string error = CDxfPrescan::Check(Entities(body));
        EXPECT_EQ(error.empty(), count >= 0 && count <= entries) << body << error;
        Load(Entities(body));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));
}

}  // namespace

// The quick line split and strip agree with the plain ones on lines short and long, blank or not.
TEST(DxfPrescan, LineSplitAgreesWithAPlainSearch) {
    std::mt19937 random(25);
    const std::string pieces[] = {"\n", " ", "\t", "\r", "7", "x", "SPLINE", std::string(30, 'a')};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            text += pieces[random() % std::size(pieces)];
        }
        const std::string_view view(text);
        for (size_t start = 0; start <= text.size(); ++start) {
            const size_t plain = std::min(text.find('\n', start), text.size());
            ASSERT_EQ(CDxfPrescan::LineEnd(view, start), plain) << text;
            const std::string_view line = view.substr(start, plain - start);
            const size_t first = line.find_first_not_of(" \t\r");
            const std::string_view stripped =
                first == std::string_view::npos ? std::string_view{}
                                                : line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
            ASSERT_EQ(CDxfPrescan::Stripped(line), stripped) << text;
        }
    }
}
