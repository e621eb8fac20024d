// File > Import DXF, Export DXF and Export Picture on the sample drawing, offscreen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <fstream>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include "SampleChildFixture.h"
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
#include "view/EditingTools.h"
#include "view/KestrovelView.h"

namespace {

class Exchange : public CSampleChildFixture {};

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
    QStringList ticked;
    OnNextDialog<CDxfImportDialog>([&](CDxfImportDialog& d) {
        for (int i = 0; i < d.DxfLayers()->count(); ++i) {
            if (d.DxfLayers()->item(i)->checkState() == Qt::Checked) {
                ticked << d.DxfLayers()->item(i)->data(Qt::UserRole).toString();
            }
        }
        report = d.ReportText();
        d.accept();
    });
    EXPECT_TRUE(
        CExchangeCommands::ImportDxf(*m_pChild, QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/shaft.dxf")));
    // The outline's layer is ticked, the centre line's and the dimensions' are not.
    EXPECT_EQ(ticked, (QStringList{QStringLiteral("0"), QStringLiteral("CONTOUR")}));
    EXPECT_TRUE(report.split(QLatin1Char('\n')).contains(QStringLiteral("taken: 8 lines, 1 arcs"))) << report.toStdString();
    // The reading's child process hands back the axis and Z 0 lines with the pieces.
    EXPECT_TRUE(report.startsWith(QStringLiteral("axis: "))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("\nZ 0: "))) << report.toStdString();
    EXPECT_EQ(doc.GetLayer(0)->GetPieces().size(), 9u);
    EXPECT_EQ(doc.GetUndo(0).GetCount(), undo + 1);
}

// A profile shorter than the layer: the dialog says the rest stays; a click on "Replace the whole
// layer" (through the dialog's window) says it goes, and OK leaves nothing of the old profile.
TEST_F(Exchange, ImportDialogSaysWhatBecomesOfTheRestAndCanReplaceTheWholeLayer) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("short.dxf"));
    {
        std::ofstream out(path.toStdString());
        out << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n5\n11\n40\n21\n5\n0\nENDSEC\n0\nEOF\n";
    }
    CKestrovelDoc& doc = m_pChild->GetShellDocument()->Doc();
    // An element of the old profile is selected (its highlight must not outlive it).
    CKestrovelView& view = m_pChild->Drawing().View();
    view.Tools().SetActive(doc.GetLayer(doc.GetActiveLayerIndex())->GetPieces().back()->Clone());
    ASSERT_NE(view.GetActiveElement(), nullptr);
    QString before, after;
    OnNextDialog<CDxfImportDialog>([&](CDxfImportDialog& d) {
        before = d.RestText();
        QCheckBox* replace = d.Replace();
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, replace->mapTo(&d, QPoint(8, replace->height() / 2)));
        after = d.RestText();
        d.accept();
    });
    EXPECT_TRUE(CExchangeCommands::ImportDxf(*m_pChild, path));
    EXPECT_EQ(before, QStringLiteral("The import spans Z 0.000 mm to 40.000 mm. The layer's old profile outside it (up "
                                     "to Z 120.000 mm) stays."));
    EXPECT_EQ(after, QStringLiteral("The import spans Z 0.000 mm to 40.000 mm. The layer's old profile is removed; "
                                    "beyond the import the layer is flat at the stock's top."));
    const auto& pieces = doc.GetLayer(doc.GetActiveLayerIndex())->GetPieces();
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces.back()->GetStart().y, doc.GetSourceRect().top);
    EXPECT_EQ(view.GetActiveElement(), nullptr);
}

// "Take the stock's length and diameter from the part", ticked with a click in the dialog's window.
TEST_F(Exchange, ImportDialogTakesTheStockFromThePart) {
    CKestrovelDoc& doc = m_pChild->GetShellDocument()->Doc();
    OnNextDialog<CDxfImportDialog>([&](CDxfImportDialog& d) {
        QCheckBox* stock = d.Stock();
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, stock->mapTo(&d, QPoint(8, stock->height() / 2)));
        EXPECT_TRUE(d.StockFromPart());
        d.accept();
    });
    EXPECT_TRUE(
        CExchangeCommands::ImportDxf(*m_pChild, QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/shaft.dxf")));
    EXPECT_EQ(doc.GetLength(), 1200000);
    EXPECT_EQ(doc.GetSourceRect().top, 220000);
    const auto& pieces = doc.GetLayer(doc.GetActiveLayerIndex())->GetPieces();
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_EQ(pieces.back()->GetEnd(), CPoint(1200000, 120000));
}

}  // namespace
