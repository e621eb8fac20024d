// File > Import DXF, Export DXF and Export Picture on the sample drawing, offscreen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include "GuiDriver.h"
#include "document/KestrovelDoc.h"
#include "exchange/DxfImport.h"
#include "shell/ChildFrame.h"
#include "shell/DrawingWindow.h"
#include "shell/DxfImportDialog.h"
#include "shell/ExchangeCommands.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"

namespace {

class Exchange : public ::testing::Test {
protected:
    void SetUp() override {
        m_pApp = std::make_unique<CKestrovelApp>(
            CQtSettingsStore::ForFile(m_dir.filePath(QStringLiteral("k.ini")), CKestrovelApp::kRecentFiles));
        ASSERT_TRUE(m_pApp->InitInstance({QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst")}));
        m_pChild = dynamic_cast<CChildFrame*>(m_pApp->GetMainFrame()->Mdi()->subWindowList().first());
        ASSERT_NE(m_pChild, nullptr);
    }
    QTemporaryDir m_dir;
    std::unique_ptr<CKestrovelApp> m_pApp;
    CChildFrame* m_pChild = nullptr;
};

TEST_F(Exchange, PicturesByExtension) {
    for (const char* name : {"d.svg", "d.png", "d.pdf"}) {
        EXPECT_TRUE(CExchangeCommands::ExportPicture(*m_pChild, m_dir.filePath(QString::fromLatin1(name))))
            << name;
        EXPECT_GT(QFileInfo(m_dir.filePath(QString::fromLatin1(name))).size(), 100) << name;
    }
    const QImage png(m_dir.filePath(QStringLiteral("d.png")));
    EXPECT_EQ(png.size(), m_pChild->Drawing().viewport()->size());
    EXPECT_TRUE(CExchangeCommands::ExportDxf(*m_pChild, m_dir.filePath(QStringLiteral("d.dxf")), true));
}

TEST_F(Exchange, ImportDialogShowsTheReportAndOkTakesTheProfileAsOneUndoStep) {
    CKestrovelDoc& doc = m_pChild->GetShellDocument()->Doc();
    const int undo = doc.GetUndo(0).GetCount();
    QString report;
    OnNextDialog<CDxfImportDialog>([&report](CDxfImportDialog& d) {
        d.DxfLayers()->setCurrentIndex(d.DxfLayers()->findText(QStringLiteral("CONTOUR")));
        report = d.ReportText();
        d.accept();
    });
    EXPECT_TRUE(
        CExchangeCommands::ImportDxf(*m_pChild, QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/shaft.dxf")));
    EXPECT_TRUE(report.split(QLatin1Char('\n')).contains(QStringLiteral("taken: 8 lines, 1 arcs"))) << report.toStdString();
    EXPECT_EQ(doc.GetLayer(0)->GetPieces().size(), 9u);
    EXPECT_EQ(doc.GetUndo(0).GetCount(), undo + 1);
}

}  // namespace
