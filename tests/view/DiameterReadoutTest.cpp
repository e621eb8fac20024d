// The diameter read-out: radial values shown and typed as diameters, stored geometry untouched.
#include <random>

#include "BarsFixture.h"
#include "elements/Arc.h"
#include "platform/Units.h"

namespace {
// The stepped profile of the object-bar tests; the 200-300 mm line at 80 mm is selected.
class DiameterReadoutTest : public BarsFixture {
protected:
    void SetUp() override {
        OpenSteppedProfile();
        SelectObject(2);
        ASSERT_NE(Active(), nullptr);
    }
    CPiece* Active() { return view->GetActiveElement(); }
};
}  // namespace

TEST_F(DiameterReadoutTest, TheBoxDoublesTheRadialFieldsAndTheStatusPaneOnly) {
    view->OnMouseMove(0, CPoint(Px(250), Py(40)));
    ASSERT_EQ(host.m_status[kPaneCursorX], " 40");
    Click(aidsBar, IDC_DIAMETER, 1);
    EXPECT_EQ(view->GetDiameter(), 1);
    EXPECT_EQ(objectBar.GetText(IDC_START_Z), "200");
    EXPECT_EQ(objectBar.GetText(IDC_START_X), "160");
    EXPECT_EQ(objectBar.GetText(IDC_END_Z), "300");
    EXPECT_EQ(objectBar.GetText(IDC_END_X), "160");
    EXPECT_EQ(host.m_status[kPaneCursorZ], "250");
    EXPECT_EQ(host.m_status[kPaneCursorX], " 80");
    EXPECT_EQ(Active()->GetEnd(), CPoint(3000000, 800000));

    // A dragged handle writes its field as a diameter too.
    Drag(CPoint(Px(300), Py(80)), CPoint(Px(300), Py(70)));
    EXPECT_EQ(Active()->GetEnd(), CPoint(3000000, 700000));
    EXPECT_EQ(objectBar.GetText(IDC_END_X), "140");

    Click(aidsBar, IDC_DIAMETER, 0);
    EXPECT_EQ(objectBar.GetText(IDC_END_X), " 70");
    EXPECT_EQ(host.m_status[kPaneCursorX], " 70") << "where the drag ended";
    EXPECT_EQ(Spans()[1], (CSpan{200, 80, 300, 80})) << "the layer is not touched";
}

TEST_F(DiameterReadoutTest, TypedDiametersAreHalvedAndRoundedAxialValuesAreNot) {
    Click(aidsBar, IDC_DIAMETER, 1);
    Type(objectBar, IDC_END_X, "150");
    Type(objectBar, IDC_END_Z, "280");
    ReadValues();
    EXPECT_EQ(Active()->GetEnd(), CPoint(2800000, 750000));
    // 3 model units of diameter: half of it rounds up.
    Type(objectBar, IDC_START_X, "0.0003");
    ReadValues();
    EXPECT_EQ(Active()->GetStart(), CPoint(2000000, 2));
}

TEST_F(DiameterReadoutTest, AnArcShowsItsCentreHeightAsADiameterAndItsRadiusAsItIs) {
    // Centre (500, 25) mm, radius 125 mm.
    Layer().AddPiece(
        std::make_unique<CArc>(CPoint(4000000, 1000000), CPoint(6000000, 1000000), CPoint(5000000, 1500000)),
        0);
    Command(ID_TOOL_SELECT);
    Click(aidsBar, IDC_DIAMETER, 1);
    LeftClick(Px(500));
    ASSERT_NE(dynamic_cast<CArc*>(Active()), nullptr);
    EXPECT_EQ(objectBar.GetText(IDC_STEER_I), "500");
    EXPECT_EQ(objectBar.GetText(IDC_STEER_J), " 50");
    EXPECT_EQ(objectBar.GetText(IDC_RADIUS), "125");
    EXPECT_EQ(objectBar.GetText(IDC_END_X), "200");
}

TEST_F(DiameterReadoutTest, ActivationShowsEachViewsOwnChoice) {
    Click(aidsBar, IDC_DIAMETER, 1);
    CFakeViewHost window;
    auto other = MakeView(window, doc.get());
    OpenWindowOf(*other, window);
    other->OnActivate();
    EXPECT_EQ(aidsBar.GetCheck(IDC_DIAMETER), 0);
    view->OnActivate();
    EXPECT_EQ(aidsBar.GetCheck(IDC_DIAMETER), 1);
}

// What a radial field shows reads back within a quarter display step in diameters (the diameter
// is rounded to the step, then halved) and within half a step in radii; axial fields never change.
TEST(DiameterFields, ShownTextReadsBackWithinItsDisplayStep) {
    CMemoryControlBar bar;
    CViewServices view;
    view.SetObjectBar(&bar);
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int32_t> value(0, 500000000);
    for (int i = 0; i < 4000; ++i) {
        const int units = static_cast<int>(rng() % 3);
        const int accuracy = static_cast<int>(rng() % 4);
        const int diameter = static_cast<int>(rng() % 2);
        view.SetUnits(units);
        view.SetAccuracy(accuracy);
        view.SetFormatDigit(accuracy);
        view.SetDiameter(diameter);
        const int32_t r = value(rng);
        const double step = UnitDivisor(units) * kAccuracySteps[accuracy];
        for (int id : {IDC_START_X, IDC_END_X, IDC_STEER_J, IDC_START_Z, IDC_STEER_I}) {
            bar.SetText(id, view.FormatLengthField(id, r));
            const bool halved = diameter && CViewServices::IsRadialField(id);
            const double allowed = (halved ? step / 4 : step / 2) + 1;
            ASSERT_LE(std::abs(static_cast<double>(view.ReadLengthField(id)) - r), allowed)
                << "field " << id << " value " << r << " units " << units << " accuracy " << accuracy
                << " diameter " << diameter << " text " << bar.GetText(id);
        }
    }
}

TEST_F(DiameterReadoutTest, TheLabelsOnTheDrawingShowDiametersAndAxialValuesAsTheyAre) {
    auto* overlay = dynamic_cast<CRecordingSurface*>(view->GetCompositionSurface());
    ASSERT_NE(overlay, nullptr);
    auto texts = [overlay]() {
        std::vector<std::string> found;
        for (const std::string& call : overlay->GetLog()) {
            if (call.rfind("Text ", 0) == 0) {
                found.push_back(call.substr(call.find('\'')));
            }
        }
        return found;
    };
    overlay->ClearLog();
    Click(aidsBar, IDC_DIAMETER, 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"'200'", "'160'", "'100'", "'300'", "'160'"}));
    overlay->ClearLog();
    Click(aidsBar, IDC_DIAMETER, 0);
    EXPECT_EQ(texts(), (std::vector<std::string>{"'200'", "' 80'", "'100'", "'300'", "' 80'"}));
}
