// The view's model/pixel mapping, length texts and typed-number readers.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"

namespace {
// The mapping as 32-bit arithmetic would compute it; nothing when a step overflows.
std::optional<int32_t> Map32(int32_t m, int32_t zoom, int32_t scale, int32_t origin) {
    int32_t a = m / 100;
    if (__builtin_mul_overflow(a, zoom, &a)) {
        return std::nullopt;
    }
    a /= 100;
    if (__builtin_mul_overflow(a, scale, &a)) {
        return std::nullopt;
    }
    a /= 10000;
    if (__builtin_add_overflow(a, origin, &a)) {
        return std::nullopt;
    }
    return a;
}

struct Mapping : ::testing::Test {
    CViewServices view;
};
}  // namespace

TEST_F(Mapping, OnePixelIsTwoMillimetresAtZoom100) {
    view.SetOrigin(CPoint(40, 300));
    EXPECT_EQ(view.ModelToScreenX(20000), 41);
    EXPECT_EQ(view.ModelToScreenX(19999), 40);
    EXPECT_EQ(view.ModelToScreenY(20000), 299);
    EXPECT_EQ(view.ModelToScreenY(-20000), 301);
    EXPECT_EQ(view.ScreenToModelX(41), 20000);
    EXPECT_EQ(view.ScreenToModelY(299), 20000);
    EXPECT_EQ(view.ScreenToModel(CPoint(40, 300)), CPoint(0, 0));
}

TEST_F(Mapping, ModelOriginMapsToPixelOriginAtEveryZoom) {
    view.SetOrigin(CPoint(-17, 523));
    for (int zoom : {5, 75, 100, 300, 4999, 5000, 20000}) {
        view.SetZoomValue(zoom);
        EXPECT_EQ(view.ModelToScreen(CPoint(0, 0)), CPoint(-17, 523)) << zoom;
        EXPECT_DOUBLE_EQ(view.ModelToScreenXF(0.0), -17.0);
        EXPECT_DOUBLE_EQ(view.ModelToScreenYF(0.0), 523.0);
    }
}

TEST_F(Mapping, TruncationLosesOnePixelOffsetAtZoom300) {
    view.SetZoomValue(300);
    EXPECT_EQ(view.ScreenToModelX(1), 6666);
    EXPECT_EQ(view.ModelToScreenX(6666), 0);
    EXPECT_EQ(view.ScreenToModelY(-1), 6666);
    EXPECT_EQ(view.ModelToScreenY(6666), 0);
}

TEST_F(Mapping, HighZoomsUseTheCoarserPixelFormula) {
    view.SetZoomValue(5000);
    // k = (1e9 / 5000) * 10 / 50 = 40000; one pixel = 400 units.
    EXPECT_EQ(view.ScreenToModelX(3), 1200);
    view.SetZoomValue(4999);
    // k = 1e9 / 249950 = 4000; one pixel = 400 units.
    EXPECT_EQ(view.ScreenToModelX(3), 1200);
    view.SetZoomValue(20000);
    EXPECT_EQ(view.ScreenToModelX(1), 100);
}

TEST_F(Mapping, FloatingMappingIsNotRounded) {
    view.SetOrigin(CPoint(10, 10));
    EXPECT_DOUBLE_EQ(view.ModelToScreenXF(30000.0), 11.5);
    EXPECT_DOUBLE_EQ(view.ModelToScreenYF(30000.0), 8.5);
}

TEST_F(Mapping, DrawingLimitsStayInRangeAndMatch32BitWhereThatFits) {
    // 5000 mm long, 2000 mm base (radius 1000 mm) at the largest zoom.
    const int32_t length = 50000000;
    const int32_t radius = 10000000;
    view.SetOrigin(CPoint(800, 500));
    view.SetZoomValue(20000);
    EXPECT_EQ(view.ModelToScreenX(length), 500000 + 800);
    EXPECT_EQ(view.ModelToScreenY(-radius), 100000 + 500);
    // The 32-bit formula overflows at the first product here.
    EXPECT_EQ(view.ModelToScreenX(INT32_MAX), 21474836 + 800);
    EXPECT_EQ(view.ModelToScreenY(INT32_MIN), 21474836 + 500);
    EXPECT_EQ(view.ModelToScreenY(INT32_MAX), -21474836 + 500);
    EXPECT_EQ(view.ScreenToModelX(INT32_MIN), -2000000000);
    EXPECT_EQ(view.ScreenToModelX(-32000), -32800 * 100);
    for (int zoom : {5, 100, 300, 5000, 20000}) {
        for (int scale : {1, 50, 666, 40000}) {
            view.SetZoomValue(zoom);
            view.SetScaleValue(scale);
            for (int32_t m : {0, 1, 99, 12345, -777777, radius, -radius, length, -length, INT32_MAX}) {
                const auto expected = Map32(m, zoom, scale, 800);
                if (expected) {
                    EXPECT_EQ(view.ModelToScreenX(m), *expected) << zoom << " " << scale << " " << m;
                }
            }
        }
    }
}

TEST_F(Mapping, ArbitraryZoomAndScaleNeverOverflow) {
    view.SetZoomValue(INT_MAX);
    view.SetScaleValue(INT_MAX);
    view.SetOrigin(CPoint(INT_MAX, INT_MIN));
    EXPECT_EQ(view.ModelToScreenX(INT32_MAX), 2000000000);
    EXPECT_EQ(view.ModelToScreenX(INT32_MIN), -2000000000);
    EXPECT_EQ(view.ScreenToModelX(INT_MIN), 0);  // k truncates to 0 at this zoom
    view.SetZoomValue(5);
    view.SetScaleValue(1);
    EXPECT_EQ(view.ScreenToModelX(INT_MIN), -2000000000);
    view.SetScaleValue(0);
    EXPECT_EQ(view.ScreenToModelX(100), 0);
}

TEST(FormatLength, UsesUnitDivisorAndDecimalsDigit) {
    CViewServices view;
    EXPECT_EQ(view.FormatLength(254000), " 25");
    view.SetUnits(2);
    view.SetFormatDigit(3);
    EXPECT_EQ(view.GetFormat(), "%3.3f");
    EXPECT_EQ(view.FormatLength(254000), "1.000");
    view.SetUnits(0);
    view.SetFormatDigit(1);
    EXPECT_EQ(view.FormatLength(1250000), "12.5");
    view.SetFormatDigit(7);
    EXPECT_EQ(view.GetFormat(), "%3.1f");
}

TEST(ReadDecimal, DigitsPointAndSpaces) {
    EXPECT_DOUBLE_EQ(CViewServices::ReadDecimal("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(CViewServices::ReadDecimal(" 1 2 . 2 5 "), 12.25);
    EXPECT_DOUBLE_EQ(CViewServices::ReadDecimal(""), 0.0);
    EXPECT_DOUBLE_EQ(CViewServices::ReadDecimal(".5"), 0.5);
    for (const char* bad : {"abc", "1.2.3", "-1", "1e3", "12,5"}) {
        EXPECT_EQ(CViewServices::ReadDecimal(bad), CViewServices::kInvalidDecimal) << bad;
    }
}

TEST(ReadLengthField, ConvertsTypedUnitsAndAnswersOneForText) {
    CMemoryControlBar bar;
    CViewServices view;
    view.SetObjectBar(&bar);
    view.SetUnits(0);
    bar.SetText(IDC_START_Z, "12.5");
    EXPECT_EQ(view.ReadLengthField(IDC_START_Z), 1250000);
    bar.SetText(IDC_START_Z, "abc");
    EXPECT_EQ(view.ReadLengthField(IDC_START_Z), 1);
    view.SetUnits(2);
    bar.SetText(IDC_START_Z, "1");
    EXPECT_EQ(view.ReadLengthField(IDC_START_Z), 254000);
    bar.SetText(IDC_START_Z, std::string(400, '9'));
    EXPECT_EQ(view.ReadLengthField(IDC_START_Z), 2000000000);
    view.SetObjectBar(nullptr);
    EXPECT_EQ(view.ReadLengthField(IDC_START_Z), 1);
}
