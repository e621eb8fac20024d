// The K1 tool over cones, a bump and a groove: the curve follows the profile it replaces.
#include <cmath>

#include "ViewFixture.h"
#include "elements/Arc.h"
#include "elements/DoubleArc.h"

namespace {
class K1CurveTest : public ViewFixture {
protected:
    void SetUp() override {
        OpenWindow();
        UseMillimetrePixels();
        Layer().AddLine(0, 500000, 9000000, 500000);  // flat at 50 mm
    }
    // Slow mode: a range from z1 to z2 mm, then K1; the working curve before OK.
    const CDoubleArc* K1Over(int z1, int z2) {
        Command(ID_TOOL_RANGE);
        LeftClick(Px(z1));
        RightClick(Px(z2));
        view->OnCommand(ID_TOOL_K1);
        return dynamic_cast<const CDoubleArc*>(view->GetActiveElement());
    }
    // Largest difference between the curve and what the layer held, at every millimetre.
    template <class TProfile>
    static int Deviation(const TProfile& curve, const std::vector<int32_t>& profile, int z1) {
        int worst = 0;
        for (size_t i = 0; i < profile.size(); ++i) {
            worst = std::max(
                worst, std::abs(curve.GetYAt(z1 * 10000 + static_cast<int32_t>(i) * 10000) - profile[i]));
        }
        return worst;
    }
    std::vector<int32_t> Profile(int z1, int z2) {
        std::vector<int32_t> ys;
        for (int z = z1; z <= z2; ++z) {
            ys.push_back(Layer().GetYAt(z * 10000));
        }
        return ys;
    }
    // The direction point lies left of the start and inside the drawing's height.
    void ExpectDirectionInDrawing(const CDoubleArc& curve) {
        const CPoint d = curve.GetDirection(), s = curve.GetStart();
        EXPECT_LE(d.x, s.x);
        EXPECT_GE(d.x, s.x - (curve.GetEnd().x - s.x));
        EXPECT_GE(d.y, 0);
        EXPECT_LE(d.y, 1000000);
    }
};
}  // namespace

TEST_F(K1CurveTest, ConesAreReproducedBeforeAndAfterOk) {
    // Slopes of a whole number per mille (13.98, 31.00, 45 and 63.00 degrees), exact at every
    // millimetre in the line's integer formula; rising and falling.
    for (const int perMille : {249, 601, 1000, 1963, -249, -601, -1000, -1963}) {
        SCOPED_TRACE(perMille);
        // Flat at 50 mm up to the cone on 100-120 mm, flat at the cone's top after it.
        const int32_t x2 = 500000 + 200 * perMille;
        Layer().AddLine(0, 500000, 9000000, 500000);
        Layer().AddLine(1200000, x2, 9000000, x2);
        Layer().AddLine(1000000, 500000, 1200000, x2);
        const std::vector<int32_t> cone = Profile(100, 120);
        ASSERT_EQ(cone.back(), x2);
        const CDoubleArc* curve = K1Over(100, 120);
        ASSERT_NE(curve, nullptr);
        EXPECT_LE(Deviation(*curve, cone, 100), 2);
        ExpectDirectionInDrawing(*curve);
        Command(ID_EDIT_OK);
        EXPECT_EQ(Layer().FindAt(1100000)->GetKind(), kKindDoubleArc);
        EXPECT_LE(Deviation(Layer(), cone, 100), 2);
    }
}

TEST_F(K1CurveTest, BumpAndGrooveKeepTheirShape) {
    // A 10 mm bump on 300-340 mm and a 10 mm groove on 500-540 mm, both on circles of 25 mm.
    Layer().AddPiece(
        std::make_unique<CArc>(CPoint(3000000, 500000), CPoint(3400000, 500000), CPoint(3200000, 600000)), 1);
    Layer().AddPiece(
        std::make_unique<CArc>(CPoint(5000000, 500000), CPoint(5400000, 500000), CPoint(5200000, 400000)), 1);
    for (const int z1 : {300, 500}) {
        SCOPED_TRACE(z1);
        const std::vector<int32_t> shape = Profile(z1, z1 + 40);
        const CDoubleArc* curve = K1Over(z1, z1 + 40);
        ASSERT_NE(curve, nullptr);
        EXPECT_EQ(curve->GetJunction(), CPoint(z1 * 10000 + 200000, z1 == 300 ? 600000 : 400000));
        // The tangent at the start is the profile's secant over its first 0.1 mm, which tilts
        // it by 0.1 mm / 2r; the curve stays within 0.03 mm of the circle.
        EXPECT_LE(Deviation(*curve, shape, z1), 300);
        ExpectDirectionInDrawing(*curve);
        Command(ID_EDIT_BACK);
    }
    // Ranges that start and end on the flat: the start leaves level, and the crest or trough
    // opens the start tangent as far as the curve needs to pass through the junction.
    for (const int z1 : {290, 490}) {
        SCOPED_TRACE(z1);
        const CDoubleArc* curve = K1Over(z1, z1 + 60);
        ASSERT_NE(curve, nullptr);
        ExpectDirectionInDrawing(*curve);
        EXPECT_LE(curve->GetMinAngle(), curve->GetMaxAngle());
        EXPECT_EQ(curve->GetYAt(z1 * 10000 + 300000), z1 == 290 ? 600000 : 400000);
        EXPECT_LT(curve->GetMaxY(), 650000);
        EXPECT_GT(curve->GetMinY(), 350000);
        Command(ID_EDIT_BACK);
    }
    EXPECT_TRUE(messages.GetBoxes().empty());
}
