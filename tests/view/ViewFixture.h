// A drawing view on a new document with in-memory bars and a fake window, for the view tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeViewHost.h"
#include "document/KestrovelDoc.h"
#include "elements/Selection.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "view/KestrovelView.h"

// The element list of a layer as (start Z, start X, end Z, end X) in millimetres.
struct CSpan {
    int z1, x1, z2, x2;
    bool operator==(const CSpan&) const = default;
};
void PrintTo(const CSpan& s, std::ostream* os);

class ViewFixture : public ::testing::Test {
protected:
    ViewFixture();
    ~ViewFixture() override;

    // A new 900 mm document and a view on it (the fixture starts with one); the prompt answers
    // "Drawing properties" for both.
    void NewDocumentAndView(CDrawingPropertiesPrompt* prompt = nullptr);
    // Initial update, first size, the first paint and its notification, a second paint.
    void OpenWindow(int width = 1200, int height = 600);
    // One pixel = 1 mm = 10 000 units; model (0, 0) at pixel (100, 500). The profile top
    // (X = 100 mm) is at y = 400 and Z = z mm at x = 100 + z.
    void UseMillimetrePixels();
    // The window at one millimetre per pixel on a stepped profile, recorded for undo:
    // 0-200 mm at 100 mm, 200-300 mm at 80 mm, 300-900 mm at 100 mm.
    void OpenSteppedProfile();
    static int Px(int mm) { return 100 + mm; }
    static int Py(int mm) { return 500 - mm; }

    void LeftClick(int x, int y = 400);
    void RightClick(int x, int y = 400);
    void Drag(CPoint from, CPoint to);
    void Command(int id) { ASSERT_TRUE(view->OnCommand(id)); }

    CLayer& Layer() { return *doc->GetActiveLayer(); }
    std::vector<CSpan> Spans();
    int UndoCount() { return doc->GetUndo(doc->GetActiveLayerIndex()).GetCount(); }
    int MouseMode() { return view->GetMouseMode(); }

    CMemorySettingsStore settings;
    CRecordingMessages messages;
    CMemoryControlBar objectBar;
    CMemoryControlBar layerBar;
    CMemoryControlBar aidsBar;
    CMemoryControlBar viewBar;
    CFakeViewHost host;
    std::unique_ptr<CKestrovelDoc> doc;
    std::unique_ptr<CKestrovelView> view;
};
