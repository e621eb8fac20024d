// A fixture with the sample drawing open in an active, exposed main window, and the ways to find
// its drawing and the profile's outline on screen.
#pragma once

#include <QMdiArea>
#include <QToolBar>

#include "AppFixture.h"
#include "UserInput.h"
#include "document/KestrovelDoc.h"
#include "shell/ChildFrame.h"
#include "shell/CommandTable.h"
#include "shell/DrawingWindow.h"
#include "shell/ShellDocument.h"
#include "view/KestrovelView.h"

class CSampleWindowFixture : public CAppFixture {
protected:
    void OpenSample() {
        StartOnSample(1000, 680);
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        Settle();
    }
    CMainFrame& Frame() { return *m_pApp->GetMainFrame(); }
    CChildFrame& Child() { return *dynamic_cast<CChildFrame*>(Frame().Mdi()->currentSubWindow()); }
    CDrawingWindow& Drawing() { return Child().Drawing(); }
    QWidget* Canvas() { return Drawing().viewport(); }
    CKestrovelView& View() { return Drawing().View(); }
    CKestrovelDoc& Doc() { return Child().GetShellDocument()->Doc(); }

    // The topmost pixel of the column drawn in the outline's black, or -1.
    int OutlineRow(int x) {
        Settle();
        const QImage& picture = Drawing().Picture();
        for (int y = 0; y < picture.height(); ++y) {
            if ((picture.pixel(x, y) & 0xFFFFFF) == 0) {
                return y;
            }
        }
        return -1;
    }

    // The profile of the active layer, sampled along its length.
    std::vector<int32_t> Profile() {
        std::vector<int32_t> heights;
        const CLayer* layer = Doc().GetActiveLayer();
        const int32_t length = Doc().GetLength();
        for (int i = 1; i < 200; ++i) {
            heights.push_back(layer->GetYAt(static_cast<int32_t>(static_cast<int64_t>(length) * i / 200)));
        }
        return heights;
    }

    // Presses the tool's button on the tools bar.
    void PressTool(int id) {
        UserInput::Click(Frame().ToolsBar()->widgetForAction(Frame().Commands().Action(id)));
    }

    // Picks the Select tool and clicks on the outline in the column x; false when none is there.
    bool SelectAt(int x) {
        PressTool(ID_TOOL_SELECT);
        const int y = OutlineRow(x);
        if (y < 0) {
            return false;
        }
        UserInput::Click(Canvas(), QPoint(x, y));
        Settle();
        return View().GetActiveElement() != nullptr;
    }
};
