// The layer and drawing-aids bars, view activation and the drawing properties command.
#include "BarsFixture.h"
#include "view/DrawingOptionsPrompt.h"
#include "view/ZoomScroll.h"

namespace {
class PropertyBarsTest : public BarsFixture {
protected:
    void SetUp() override { OpenWindow(); }
    std::vector<std::string> Accuracies() { return aidsBar.GetEntries(IDC_ACCURACY); }
};

const std::vector<std::string> kThree = {"1 mm", "0.1 mm", "0.01 mm"};
const std::vector<std::string> kCentimetres = {"1 cm", "0.1 cm", "0.01 cm", "0.001 cm"};
const std::vector<std::string> kInches = {"1 in", "0.1 in", "0.01 in", "0.001 in"};

class RecordingOptions : public CDrawingOptionsPrompt {
public:
    void Run(CKestrovelDoc& doc) override { m_docs.push_back(&doc); }
    std::vector<CKestrovelDoc*> m_docs;
};

class FixedProperties : public CDrawingPropertiesPrompt {
public:
    bool Run(CDrawingProperties& io) override {
        m_seen = io;
        if (m_bAccept) {
            io = m_answer;
        }
        return m_bAccept;
    }
    CDrawingProperties m_seen;
    CDrawingProperties m_answer;
    bool m_bAccept = true;
};
}  // namespace

TEST_F(PropertyBarsTest, LayerListAndLayerButtonsChooseTheActiveLayer) {
    Choose(layerBar, IDC_LAYER, 2);
    EXPECT_EQ(doc->GetActiveLayerIndex(), 2);
    EXPECT_EQ(view->GetRememberedLayer(), 2);
    Command(ID_LAYER_1 + 4);
    EXPECT_EQ(doc->GetActiveLayerIndex(), 4);
    EXPECT_EQ(layerBar.GetCurSel(IDC_LAYER), 4);
    EXPECT_EQ(view->GetCommandState(ID_LAYER_1 + 4), (CCommandState{true, true}));
    EXPECT_EQ(view->GetCommandState(ID_LAYER_1 + 2), (CCommandState{true, false}));
    // An emptied list has no selection: that is no layer.
    Choose(layerBar, IDC_LAYER, -1);
    EXPECT_EQ(doc->GetActiveLayerIndex(), 4);
}

TEST_F(PropertyBarsTest, ChangingTheLayerEndsTheEditingOnTheOldOne) {
    view->OnLButtonDown(kMouseLeft, CPoint(600, 300));
    ASSERT_NE(view->GetActiveElement(), nullptr);
    Choose(layerBar, IDC_LAYER, 1);
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(MouseMode(), kModeIdle);
}

TEST_F(PropertyBarsTest, DirectionBoxesSetTheDirectionAndShowIt) {
    Click(layerBar, IDC_DIR_LEFT, 1);
    EXPECT_EQ(Layer().GetDirection(), 0);
    EXPECT_EQ(layerBar.GetCheck(IDC_DIR_RIGHT), 0);
    EXPECT_EQ(layerBar.GetCheck(IDC_DIR_LEFT), 1);
    Click(layerBar, IDC_DIR_RIGHT, 1);
    EXPECT_EQ(Layer().GetDirection(), 1);
    EXPECT_EQ(layerBar.GetCheck(IDC_DIR_LEFT), 0);
}

TEST_F(PropertyBarsTest, VisibilityBoxesToggleWhatTheActiveLayerShows) {
    Click(layerBar, IDC_SHOW_LAYER3, 1);
    EXPECT_EQ(Layer().IsVisible(3), 1);
    Click(layerBar, IDC_SHOW_SOURCE, 0);
    EXPECT_EQ(Layer().IsVisible(0), 0);
    // The layer itself cannot be hidden; its box shows it again.
    Click(layerBar, IDC_SHOW_LAYER1, 0);
    EXPECT_EQ(Layer().IsVisible(1), 1);
    EXPECT_EQ(layerBar.GetCheck(IDC_SHOW_LAYER1), 1);
    Click(layerBar, IDC_ACTIVE_IN_FRONT, 0);
    EXPECT_EQ(Layer().GetActiveInFront(), 0);
}

TEST_F(PropertyBarsTest, DrawingOptionsRunOnTheDocumentAndRepaint) {
    RecordingOptions options;
    CFakeViewHost window;
    CViewContext ctx = view->GetContext();
    ctx.pHost = &window;
    ctx.pDrawingOptions = &options;
    CKestrovelView other(ctx);
    other.OnBarNotify(layerBar, IDC_DRAWING_OPTIONS, BarNotify::Clicked);
    EXPECT_EQ(options.m_docs, std::vector<CKestrovelDoc*>{doc.get()});
    EXPECT_GT(window.m_nInvalidates, 0);
}

TEST_F(PropertyBarsTest, DisplayFlagsRepaintLabelsAndLinesWithErasing) {
    host.m_calls.clear();
    Click(aidsBar, IDC_DRAW_AXES, 0);
    Click(aidsBar, IDC_DRAW_DIMS, 0);
    Click(aidsBar, IDC_DRAW_LABELS, 0);
    Click(aidsBar, IDC_DRAW_LINES, 0);
    EXPECT_EQ(view->Aids().m_bDrawAxes, 0);
    EXPECT_EQ(view->Aids().m_bDrawDims, 0);
    EXPECT_EQ(view->GetDrawLabels(), 0);
    EXPECT_EQ(view->GetDrawLines(), 0);
    EXPECT_EQ(host.m_calls,
              (std::vector<std::string>{"Invalidate", "Invalidate", "Invalidate erase", "Invalidate erase"}));
}

TEST_F(PropertyBarsTest, AccuracySetsTheFormatDigitAndRefreshesTheReadOuts) {
    // Zoom 100, scale 55, origin x 352: 1 000 000 000 / 5500 = 181 818 units per 10 pixels, and
    // pixel 700 lies 348 pixels right of the origin: 348 x 181 818 / 10 = 6 327 266 = 632.7266 mm.
    view->OnMouseMove(0, CPoint(700, 300));
    const std::string expected = "632.73";
    ASSERT_NE(host.m_status[kPaneCursorZ], expected);
    Choose(aidsBar, IDC_ACCURACY, 2);
    EXPECT_EQ(view->GetAccuracy(), 2);
    EXPECT_EQ(view->GetFormat(), "%3.2f");
    EXPECT_EQ(host.m_status[kPaneCursorZ], expected);
}

TEST_F(PropertyBarsTest, UnitsChangeOffersThousandthsOnlyForCentimetresAndInches) {
    Choose(aidsBar, IDC_UNITS, 0);
    EXPECT_EQ(Accuracies(), kCentimetres);
    Choose(aidsBar, IDC_ACCURACY, 3);
    EXPECT_EQ(view->GetFormat(), "%3.3f");

    Choose(aidsBar, IDC_UNITS, 1);
    EXPECT_EQ(Accuracies(), kThree);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), 2);
    EXPECT_EQ(view->GetAccuracy(), 2);
    EXPECT_EQ(view->GetFormat(), "%3.2f");

    Choose(aidsBar, IDC_UNITS, 2);
    EXPECT_EQ(Accuracies(), kInches);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), 2);
    EXPECT_EQ(view->GetUnits(), 2);
    // A second choice of inches offers the entry once.
    Choose(aidsBar, IDC_UNITS, 2);
    EXPECT_EQ(Accuracies().size(), 4u);
}

TEST_F(PropertyBarsTest, CursorStepsAreListedAndTakenInTheChosenUnit) {
    Choose(aidsBar, IDC_STEP_HORZ, 4);
    Choose(aidsBar, IDC_UNITS, 2);
    EXPECT_EQ(aidsBar.GetEntries(IDC_STEP_HORZ),
              (std::vector<std::string>{"None", "0.005 in", "0.01 in", "0.02 in", "0.05 in", "0.1 in", "0.2 in"}));
    EXPECT_EQ(aidsBar.GetEntries(IDC_STEP_VERT), aidsBar.GetEntries(IDC_STEP_HORZ));
    EXPECT_EQ(aidsBar.GetCurSel(IDC_STEP_HORZ), 4) << "the step keeps its place in the list";
    EXPECT_EQ(view->Aids().HorzStep(view->GetUnits()), 12700) << "0.05 in";
    Choose(aidsBar, IDC_UNITS, 0);
    EXPECT_EQ(aidsBar.GetEntries(IDC_STEP_HORZ)[4], "0.1 cm");
    EXPECT_EQ(view->Aids().HorzStep(view->GetUnits()), 10000);
}

TEST_F(PropertyBarsTest, UnitsChangeRefillsTheObjectBarOfTheActiveElement) {
    Command(ID_TOOL_SELECT);
    Choose(objectBar, IDC_OBJECT, 2);
    ASSERT_EQ(objectBar.GetText(IDC_END_Z), "900");
    Choose(aidsBar, IDC_UNITS, 0);
    EXPECT_EQ(objectBar.GetText(IDC_END_Z), " 90");
}

TEST_F(PropertyBarsTest, ActivationWritesEachViewsOwnSettingsIntoTheBars) {
    CFakeViewHost window;
    auto other = MakeView(window, doc.get());
    OpenWindowOf(*other, window);
    other->Aids().m_bDrawAxes = 0;
    other->Aids().m_nStepHorz = 4;
    other->Aids().m_nSnapMain = 2;
    other->SetUnits(2);
    other->SetAccuracy(3);
    other->SetZoomValue(250);
    other->SetRememberedLayer(3);

    other->OnActivate();
    EXPECT_EQ(aidsBar.GetCheck(IDC_DRAW_AXES), 0);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_STEP_HORZ), 4);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_SNAP_MAIN), 2);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_UNITS), 2);
    EXPECT_EQ(Accuracies(), kInches);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), 3);
    EXPECT_EQ(viewBar.GetText(IDC_ZOOM_BOX), "250%");
    EXPECT_EQ(doc->GetActiveLayerIndex(), 3);
    EXPECT_EQ(doc->GetActiveView(), other.get());

    view->OnActivate();
    EXPECT_EQ(aidsBar.GetCheck(IDC_DRAW_AXES), 1);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_STEP_HORZ), 0);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_UNITS), 1);
    EXPECT_EQ(Accuracies(), kThree);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), 0);
    EXPECT_EQ(view->GetAccuracy(), 0);
    EXPECT_EQ(other->GetAccuracy(), 3);
    EXPECT_EQ(doc->GetActiveLayerIndex(), 0);
    EXPECT_EQ(doc->GetActiveView(), view.get());
}

namespace {
// A second drawing whose "Drawing properties" answers come from a fixed prompt (5000 x 100 mm
// cylinder, inches, thousandths), with a view that is not yet opened.
class PromptedDrawingTest : public PropertyBarsTest {
protected:
    void SetUp() override {
        PropertyBarsTest::SetUp();
        m_prompt.m_answer = CDrawingProperties{5000000, 1000000, 1, 2, 3};
        CDocServices services = doc->GetServices();
        services.pPropertiesPrompt = &m_prompt;
        m_pDrawing = std::make_unique<CKestrovelDoc>(services);
        ASSERT_TRUE(m_pDrawing->OnNewDocument());
        m_pOther = MakeView(m_window, m_pDrawing.get());
    }
    CKestrovelDoc& Drawing() { return *m_pDrawing; }
    CKestrovelView& Other() { return *m_pOther; }

    FixedProperties m_prompt;
    CFakeViewHost m_window;
    std::unique_ptr<CKestrovelDoc> m_pDrawing;
    std::unique_ptr<CKestrovelView> m_pOther;
};
}  // namespace

TEST_F(PromptedDrawingTest, DrawingPropertiesChangeTheMaterialAndTheViewUnits) {
    OpenWindowOf(Other(), m_window);
    Other().SetAccuracy(1);
    ASSERT_TRUE(Other().OnCommand(ID_DRAWING_PROPERTIES));

    EXPECT_EQ(m_prompt.m_seen.nLength, 5000000);
    EXPECT_EQ(m_prompt.m_seen.nBase, 1000000);
    EXPECT_EQ(m_prompt.m_seen.nAccuracy, 1);
    EXPECT_EQ(Drawing().GetSourceRect(), CRect(0, 500000, 5000000, 0));
    EXPECT_EQ(Drawing().GetShape(), kShapeCylinder);
    EXPECT_EQ(Drawing().GetUnit(), 2);
    EXPECT_EQ(Drawing().GetAccuracy(), 3);
    EXPECT_EQ(Other().GetUnits(), 2);
    EXPECT_EQ(Other().GetFormat(), "%3.3f");
    EXPECT_EQ(aidsBar.GetCurSel(IDC_UNITS), 2);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), 3);
    EXPECT_EQ(Other().GetOrigin(), Other().GetHomeOrigin());
}

TEST_F(PromptedDrawingTest, DrawingPropertiesCancelledChangeNothing) {
    m_prompt.m_bAccept = false;
    ASSERT_TRUE(Other().OnCommand(ID_DRAWING_PROPERTIES));
    EXPECT_EQ(Drawing().GetSourceRect(), CRect(0, 500000, 5000000, 0));
    EXPECT_EQ(m_prompt.m_seen.nShapeType, 1);
    EXPECT_EQ(Other().GetUnits(), 1);
}

// Whatever units and accuracy the aids bar showed before, the drawing and its view end with the
// ones chosen in the dialog; millimetres alone cannot show thousandths.
TEST_F(PromptedDrawingTest, DrawingPropertiesKeepTheChosenUnitsAndAccuracyWhateverTheBarShowed) {
    OpenWindowOf(Other(), m_window);
    const auto accuracies = [](int units) { return units == 1 ? 3 : 4; };
    for (int shownUnits = 0; shownUnits < 3; ++shownUnits) {
        for (int shown = 0; shown < accuracies(shownUnits); ++shown) {
            for (int units = 0; units < 3; ++units) {
                for (int accuracy = 0; accuracy < 4; ++accuracy) {
                    SCOPED_TRACE(testing::Message() << "bar " << shownUnits << "/" << shown << ", chosen "
                                                    << units << "/" << accuracy);
                    Other().SetUnits(shownUnits);
                    Other().SetAccuracy(shown);
                    Other().OnActivate();
                    ASSERT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), shown);
                    m_prompt.m_answer = CDrawingProperties{9000000, 2000000, 0, units, accuracy};
                    ASSERT_TRUE(Other().OnCommand(ID_DRAWING_PROPERTIES));
                    const int expected = units == 1 && accuracy == 3 ? 2 : accuracy;
                    EXPECT_EQ(Other().GetUnits(), units);
                    EXPECT_EQ(Other().GetAccuracy(), expected);
                    EXPECT_EQ(Other().GetFormat()[3], '0' + expected);
                    EXPECT_EQ(Drawing().GetUnit(), units);
                    EXPECT_EQ(Drawing().GetAccuracy(), expected);
                    EXPECT_EQ(aidsBar.GetCurSel(IDC_UNITS), units);
                    EXPECT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), expected);
                    EXPECT_EQ(Accuracies().size(), static_cast<size_t>(accuracies(units)));
                }
            }
        }
    }
}
