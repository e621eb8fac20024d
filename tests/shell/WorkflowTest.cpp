// A session offscreen: new drawing, a line by mouse, undo, a CNC program compiled, save and reopen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include "AppFixture.h"
#include "GuiDriver.h"
#include "document/KestrovelDoc.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/ChildFrame.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/PreProcesorEdit.h"
#include "shell/PreProcesorView.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"
#include "view/KestrovelView.h"

namespace {

struct CBox {
    std::string strCaption;
    std::string strText;
};

class Workflow : public CAppFixture {
protected:
    std::unique_ptr<CKestrovelApp> Start(QStringList args = {}) {
        auto app = MakeApp();
        app->Messages().SetInterceptor(
            [this](const std::string& text, const std::string& caption, MessageIcon, MessageButtons buttons) {
                m_boxes.push_back({caption, text});
                return buttons == MessageButtons::YesNoCancel ? MessageAnswer::No : MessageAnswer::Ok;
            });
        EXPECT_TRUE(app->InitInstance(args));
        app->GetMainFrame()->resize(1200, 900);
        Settle();
        return app;
    }

    static void Choose(CQtControlBar& bar, int id, const std::string& entry) {
        auto* combo = qobject_cast<QComboBox*>(bar.Widget(id));
        const int index = bar.FindStringExact(id, entry);
        ASSERT_GE(index, 0) << entry;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // The run-time edit fields of the form, in the order they were made.
    static QList<QLineEdit*> PanelFields(CChildProcFrame& cnc) {
        QList<QLineEdit*> fields;
        for (QLineEdit* e : cnc.FormView().findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
            if (!e->objectName().isEmpty() && e->isVisible()) {
                fields.append(e);
            }
        }
        return fields;
    }

    std::vector<CBox> m_boxes;
};

}  // namespace

TEST_F(Workflow, DrawUndoProgramCompileSaveAndReopen) {
    OnNextDialog<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("1027"))->setText(QStringLiteral("300"));
        d.accept();
    });
    auto app = Start();
    CMainFrame& frame = *app->GetMainFrame();
    ASSERT_EQ(app->Documents().size(), 1u);
    CShellDocument& doc = *app->Documents()[0];
    EXPECT_EQ(doc.Doc().GetLength(), 3000000) << "the dialog's length reached the document";
    auto* drawingFrame = dynamic_cast<CChildFrame*>(frame.Mdi()->subWindowList().first());
    ASSERT_NE(drawingFrame, nullptr);
    CDrawingWindow& drawing = drawingFrame->Drawing();
    EXPECT_GE(drawing.GetPaintCount(), 1);

    // A line over a range in fast mode: range tool, line tool, left and right click.
    frame.Route(ID_MODE_FAST);
    frame.Route(ID_TOOL_RANGE);
    frame.Route(ID_TOOL_LINE);
    const CLayer& layer = *doc.Doc().GetActiveLayer();
    const size_t before = layer.GetPieces().size();
    const CKestrovelView& view = drawing.View();
    const int y = view.ModelToScreenY(doc.Doc().GetSourceRect().top);
    const int x1 = view.ModelToScreenX(1000000);
    const int x2 = view.ModelToScreenX(2000000);
    QWidget* canvas = drawing.viewport();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(x1, y));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(x1, y));
    QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(x2, y));
    QTest::mouseRelease(canvas, Qt::RightButton, Qt::NoModifier, QPoint(x2, y));
    const size_t after = doc.Doc().GetActiveLayer()->GetPieces().size();
    EXPECT_GT(after, before) << "the new line cut the flat profile";
    EXPECT_TRUE(frame.GetCommandState(kCmdEditUndo).bEnabled);
    frame.Route(kCmdEditUndo);
    EXPECT_EQ(doc.Doc().GetActiveLayer()->GetPieces().size(), before);
    EXPECT_TRUE(frame.GetCommandState(kCmdEditRedo).bEnabled);

    // The CNC programming window: a new program, the LinuxCNC post-processor, two commands.
    frame.Route(kCmdCncProgramming);
    auto* cnc = dynamic_cast<CChildProcFrame*>(frame.Mdi()->activeSubWindow());
    ASSERT_NE(cnc, nullptr);
    EXPECT_EQ(cnc->windowTitle(), doc.GetTitle() + QStringLiteral(" - Post-processor Programming"));
    CQtControlBar& bar = cnc->Bar();
    EXPECT_EQ(bar.GetText(IDC_PROG_SELECT), "New Program1");
    EXPECT_FALSE(frame.GetCommandState(kCmdCommandAdd).bEnabled);
    EXPECT_TRUE(frame.GetCommandState(kCmdProgramCompile).bEnabled);
    Choose(bar, IDC_PROG_POST, "LinuxCNC lathe");
    ASSERT_GT(bar.GetCount(IDC_PROG_TEMPLATES), 0);

    auto* templates = qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_TEMPLATES));
    templates->setCurrentRow(bar.FindStringExact(IDC_PROG_TEMPLATES, "Rapid to point"));
    QList<QLineEdit*> fields = PanelFields(*cnc);
    ASSERT_EQ(fields.size(), 2);
    fields[0]->setText(QStringLiteral("abc"));
    fields[1]->setText(QStringLiteral("5"));
    QTest::mouseClick(qobject_cast<QPushButton*>(bar.Widget(IDC_PROG_ADD)), Qt::LeftButton);
    ASSERT_EQ(m_boxes.size(), 1u) << "a refused parameter says why";
    EXPECT_EQ(m_boxes[0].strCaption.rfind("Parameter: ", 0), 0u) << m_boxes[0].strCaption;
    EXPECT_EQ(bar.GetCount(IDC_PROG_COMMANDS), 0);
    fields = PanelFields(*cnc);
    fields[0]->setText(QStringLiteral("60"));
    QTest::mouseClick(qobject_cast<QPushButton*>(bar.Widget(IDC_PROG_ADD)), Qt::LeftButton);
    EXPECT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(bar.GetCount(IDC_PROG_COMMANDS), 1);

    templates->setCurrentRow(bar.FindStringExact(IDC_PROG_TEMPLATES, "Finish left to right"));
    fields = PanelFields(*cnc);
    ASSERT_EQ(fields.size(), 5);
    const char* values[] = {"1", "60", "-5", "60", "120"};
    for (int i = 0; i < 5; ++i) {
        fields[i]->setText(QString::fromLatin1(values[i]));
    }
    QTest::mouseClick(qobject_cast<QPushButton*>(bar.Widget(IDC_PROG_ADD)), Qt::LeftButton);
    EXPECT_EQ(bar.GetCount(IDC_PROG_COMMANDS), 2);

    frame.Route(kCmdProgramCompile);
    const QString code = cnc->CodeView().toPlainText();
    EXPECT_TRUE(code.contains(QStringLiteral("G0"))) << code.toStdString();
    EXPECT_TRUE(code.contains(QStringLiteral("G1"))) << code.toStdString();
    QFile output(m_dir.filePath(QStringLiteral("Debug/LinuxCncLathe.ngc")));
    ASSERT_TRUE(output.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(output.readAll()).remove(QLatin1Char('\r')), code);

    // Save, close, reopen.
    const QString path = m_dir.filePath(QStringLiteral("part.kst"));
    ASSERT_TRUE(app->SaveDocumentAs(doc, path));
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("part.kst"));
    const size_t pieces = doc.Doc().GetActiveLayer()->GetPieces().size();
    frame.close();
    app.reset();

    auto again = Start({path});
    ASSERT_EQ(again->Documents().size(), 1u);
    CShellDocument& reopened = *again->Documents()[0];
    EXPECT_EQ(reopened.GetTitle(), QStringLiteral("part.kst"));
    EXPECT_EQ(reopened.Doc().GetLength(), 3000000);
    EXPECT_EQ(reopened.Doc().GetActiveLayer()->GetPieces().size(), pieces);
    CProgramList* programs = CProgramDocument::GetList(reopened.Doc());
    ASSERT_NE(programs, nullptr);
    ASSERT_EQ(programs->GetPrograms().size(), 1u);
    EXPECT_EQ(programs->GetPrograms()[0]->GetName(), "New Program1");
    EXPECT_EQ(programs->GetPrograms()[0]->GetCommands().size(), 2u);
    EXPECT_EQ(programs->GetPrograms()[0]->GetPostName(), "LinuxCNC lathe");
    EXPECT_EQ(again->Settings().GetRecentFiles().front(), path.toStdString());
}
