// The view test fixture: a new 900 mm drawing and a view driven through its entry points.
#include "ViewFixture.h"

#include <ostream>

void PrintTo(const CSpan& s, std::ostream* os) {
    *os << "{" << s.z1 << ", " << s.x1 << ", " << s.z2 << ", " << s.x2 << "}";
}

namespace {
void Fill(CMemoryControlBar& bar, int id, std::initializer_list<const char*> entries) {
    for (const char* e : entries) {
        bar.AddString(id, e);
    }
    bar.SetCurSel(id, 0);
}
}  // namespace

ViewFixture::ViewFixture() {
    Fill(objectBar, IDC_TYPE, {"Undefined", "Linear", "Arc", "Selection", "DoubleArc"});
    Fill(objectBar, IDC_VELOCITY, {"Default", "Set"});
    Fill(objectBar, IDC_FEED, {"Default", "Set"});
    Fill(objectBar, IDC_LEAVE, {"None", "Current", "Custom"});
    Fill(aidsBar, IDC_UNITS, {"cm", "mm", "inches"});
    aidsBar.SetCurSel(IDC_UNITS, 1);
    Fill(aidsBar, IDC_ACCURACY, {"1 mm", "0.1 mm", "0.01 mm"});
    for (int id : {IDC_STEP_HORZ, IDC_STEP_VERT}) {
        Fill(aidsBar, id, {"None", "0.1 mm", "0.2 mm", "0.5 mm", "1 mm", "2 mm", "5 mm"});
    }
    Fill(aidsBar, IDC_SNAP_POINTS, {"1 point", "2 points", "3 points", "5 points", "10 points", "20 points"});
    Fill(layerBar, IDC_LAYER, {"Layer 1", "Layer 2", "Layer 3", "Layer 4", "Layer 5", "Layer 6"});
    Fill(viewBar, IDC_ZOOM_BOX,
         {"400%", "200%", "100%", "75%", "50%", "25%", "To width", "To height", "To fit"});
    NewDocumentAndView();
}

void ViewFixture::NewDocumentAndView(CDrawingPropertiesPrompt* prompt) {
    view.reset();
    doc.reset();
    CDocServices services;
    services.pPropertiesPrompt = prompt;
    services.pSettings = &settings;
    services.pMessages = &messages;
    services.pObjectBar = &objectBar;
    services.pLayerBar = &layerBar;
    services.pAidsBar = &aidsBar;
    services.pViewBar = &viewBar;
    doc = std::make_unique<CKestrovelDoc>(services);
    EXPECT_TRUE(doc->OnNewDocument());

    CViewContext ctx;
    ctx.pDoc = doc.get();
    ctx.pHost = &host;
    ctx.pObjectBar = &objectBar;
    ctx.pLayerBar = &layerBar;
    ctx.pAidsBar = &aidsBar;
    ctx.pViewBar = &viewBar;
    ctx.pSettings = &settings;
    ctx.pMessages = &messages;
    view = std::make_unique<CKestrovelView>(ctx);
}

ViewFixture::~ViewFixture() {
    view.reset();
    doc.reset();
}

void ViewFixture::OpenWindow(int width, int height) {
    view->OnInitialUpdate();
    view->OnSize(kSizeRestored, width, height);
    view->OnPaint(host.m_window);
    host.Pump(*view);
    view->OnPaint(host.m_window);
}

void ViewFixture::UseMillimetrePixels() {
    view->SetScaleValue(50);
    view->SetZoomValue(200);
    view->SetOrigin(CPoint(100, 500));
}

void ViewFixture::OpenSteppedProfile() {
    OpenWindow();
    UseMillimetrePixels();
    Layer().AddLine(2000000, 800000, 3000000, 800000);
    doc->RecordUndo();
}

void ViewFixture::LeftClick(int x, int y) {
    view->OnLButtonDown(kMouseLeft, CPoint(x, y));
    view->OnLButtonUp(0, CPoint(x, y));
}

void ViewFixture::RightClick(int x, int y) {
    view->OnRButtonDown(kMouseRight, CPoint(x, y));
    view->OnRButtonUp(0, CPoint(x, y));
}

void ViewFixture::Drag(CPoint from, CPoint to) {
    view->OnLButtonDown(kMouseLeft, from);
    view->OnMouseMove(kMouseLeft, CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
    view->OnMouseMove(kMouseLeft, to);
    view->OnLButtonUp(0, to);
}

std::vector<CSpan> ViewFixture::Spans() {
    std::vector<CSpan> out;
    for (const auto& p : Layer().GetPieces()) {
        out.push_back(
            {p->GetStart().x / 10000, p->GetStart().y / 10000, p->GetEnd().x / 10000, p->GetEnd().y / 10000});
    }
    return out;
}
