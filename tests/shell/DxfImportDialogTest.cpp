// File > Import DXF: the live preview, a window dragged in it and a line picked as the axis, all
// through the dialog's window, and what OK takes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <fstream>

#include "GuiDriver.h"
#include "SampleChildFixture.h"
#include "UserInput.h"
#include "document/KestrovelDoc.h"
#include "shell/DxfImportDialog.h"
#include "shell/DxfPreview.h"
#include "shell/ExchangeCommands.h"
#include "shell/ShellDocument.h"

namespace {

class DxfImportDialog : public CSampleChildFixture {
protected:
    // A text DXF of LINE entities: {layer, x1, y1, x2, y2} (on layer CL in the CENTER linetype),
    // and a TEXT on layer NOTE at (100, -50).
    QString Write(const char* name,
                  std::initializer_list<std::tuple<const char*, int, int, int, int>> lines) {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        std::ofstream out(path.toStdString());
        out << "0\nSECTION\n2\nENTITIES\n";
        for (const auto& [layer, x1, y1, x2, y2] : lines) {
            out << "0\nLINE\n8\n"
                << layer << (std::string(layer) == "CL" ? "\n6\nCENTER" : "") << "\n10\n"
                << x1 << "\n20\n"
                << y1 << "\n11\n"
                << x2 << "\n21\n"
                << y2 << "\n";
        }
        out << "0\nTEXT\n8\nNOTE\n10\n100\n20\n-50\n40\n5\n1\nA\n0\nENDSEC\n0\nEOF\n";
        return path;
    }
    const CPieceList& Pieces() {
        CKestrovelDoc& doc = m_pChild->GetShellDocument()->Doc();
        return doc.GetLayer(doc.GetActiveLayerIndex())->GetPieces();
    }
};

// Pixels of the preview in the bold profile's blue, the drawing's grey and the axis's red.
struct CInk {
    int nBold = 0;
    int nFaint = 0;
    int nAxis = 0;
};

CInk InkOf(CDxfPreview* preview) {
    const QImage image = preview->grab().toImage();
    CInk ink;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            const QRgb c = image.pixel(x, y);
            ink.nBold += qBlue(c) > 100 && qRed(c) < 60 && qGreen(c) < 80 ? 1 : 0;
            ink.nFaint +=
                qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 140 && qRed(c) < 200 ? 1 : 0;
            ink.nAxis += qRed(c) - qGreen(c) > 50 && qRed(c) - qBlue(c) > 50 ? 1 : 0;
        }
    }
    return ink;
}

QStringList Report(const CDxfImportDialog& d) {
    return d.ReportText().split(QLatin1Char('\n'));
}

// The preview shows the drawing, the profile and the axis, and follows a click on "flip" at
// once; OK takes what the preview showed, the same as the command line's reading.
TEST_F(DxfImportDialog, PreviewFollowsTheOptionsAndOkTakesWhatItShows) {
    const QString shaft = QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/shaft.dxf");
    CInk before, after;
    QImage first, flipped;
    CDxfImportOptions options;
    CImportResult shown;
    OnNextDialog<CDxfImportDialog>([&](CDxfImportDialog& d) {
        before = InkOf(d.Preview());
        first = d.Preview()->grab().toImage();
        UserInput::Click(d.Flip(), QPoint(8, d.Flip()->height() / 2));
        after = InkOf(d.Preview());
        flipped = d.Preview()->grab().toImage();
        EXPECT_TRUE(Report(d).contains(
            QStringLiteral("axis: the CENTER line on layer CENTER, horizontal, turned end for end")))
            << d.ReportText().toStdString();
        options = d.Options();
        shown = d.Result();
        d.accept();
    });
    ASSERT_TRUE(CExchangeCommands::ImportDxf(*m_pChild, shaft));
    EXPECT_GT(before.nBold, 300);
    EXPECT_GT(before.nFaint, 100);
    EXPECT_GT(before.nAxis, 50);
    EXPECT_GT(after.nBold, 300);
    EXPECT_NE(first, flipped);
    CImportResult read;
    std::string error;
    ASSERT_TRUE(options.bFlip);
    ASSERT_TRUE(CDxfImport().LoadFile(shaft.toStdString(), options, read, error)) << error;
    EXPECT_EQ(shown.m_pieces, read.m_pieces);
    EXPECT_EQ(shown.ReportLines(), read.ReportLines());
    ASSERT_EQ(Pieces().size(), read.m_pieces.size());
    EXPECT_EQ(Pieces().front()->GetStart(), read.m_pieces.front().m_ptStart);
}

// A window dragged round one of two parts on a sheet takes only that one, and the report counts
// what it left out instead of the kinds not read; "Clear the window" takes the whole sheet again.
TEST_F(DxfImportDialog, WindowDrawnWithTheMouseTakesOnlyThePartInsideIt) {
    const QString sheet = Write("sheet.dxf", {{"PART", 0, 0, 0, 10},
                                              {"PART", 0, 10, 40, 10},
                                              {"PART", 40, 10, 40, 25},
                                              {"PART", 40, 25, 60, 25},
                                              {"PART", 60, 25, 60, 10},
                                              {"PART", 60, 10, 120, 10},
                                              {"PART", 120, 10, 120, 0},
                                              {"CL", -5, 0, 125, 0},
                                              {"PART", 0, 80, 0, 88},
                                              {"PART", 0, 88, 30, 88},
                                              {"PART", 30, 88, 30, 80},
                                              {"CL", -5, 80, 35, 80},
                                              {"FRAME", 150, -20, 230, -20},
                                              {"FRAME", 230, -20, 230, 30},
                                              {"FRAME", 230, 30, 150, 30},
                                              {"FRAME", 150, 30, 150, -20}});
    QStringList whole, windowed, cleared;
    OnNextDialog<CDxfImportDialog>([&](CDxfImportDialog& d) {
        whole = Report(d);
        CDxfPreview* preview = d.Preview();
        const QPoint from = preview->ToPixel({-10, 35}).toPoint();
        const QPoint to = preview->ToPixel({130, -15}).toPoint();
        UserInput::Drag(preview, from, to);
        windowed = Report(d);
        EXPECT_TRUE(d.ClearWindow()->isEnabled());
        UserInput::Click(d.ClearWindow());
        cleared = Report(d);
        EXPECT_FALSE(d.ClearWindow()->isEnabled());
        UserInput::Drag(preview, from, to);
        // The README's picture of the dialog, when KESTROVEL_README_IMAGES names its folder.
        if (const QByteArray folder = qgetenv("KESTROVEL_README_IMAGES"); !folder.isEmpty()) {
            d.grab().toImage().save(QString::fromLocal8Bit(folder) + QStringLiteral("/dxf-import.png"));
        }
        d.accept();
    });
    ASSERT_TRUE(CExchangeCommands::ImportDxf(*m_pChild, sheet));
    EXPECT_TRUE(whole.contains(QStringLiteral("not taken: entity kind not read: TEXT: 1")))
        << whole.join('|').toStdString();
    // Part A's centre line is left out inside the window; part B, its centre line, the frame and
    // the text lie outside.
    EXPECT_EQ(windowed.join(QLatin1Char('|')).toStdString(),
              "axis: the CENTER line on layer CL, horizontal|taken: 3 lines, 0 arcs|"
              "Z 0: the part's end, 5.000 mm along the axis from its first point|"
              "not taken: centre line: 1|not taken: outside the window: 9");
    EXPECT_EQ(cleared, whole);
    // What follows in the layer is its old profile beyond the import.
    ASSERT_GE(Pieces().size(), 3u);
    EXPECT_EQ(Pieces().front()->GetStart(), CPoint(0, 100000));
    EXPECT_EQ(Pieces().front()->GetEnd(), CPoint(400000, 100000));
    EXPECT_EQ((*std::next(Pieces().begin(), 2))->GetEnd(), CPoint(1200000, 100000));
}

// "Pick a line in the preview", then a click on a vertical line of the drawing: that line is the
// axis (Z upwards along it), the report names it, and OK takes the part turned about it.
TEST_F(DxfImportDialog, LinePickedInThePreviewIsTheTurningAxis) {
    const QString standing =
        Write("standing.dxf",
              {{"0", 0, 0, 10, 0}, {"0", 10, 0, 10, 40}, {"0", 10, 40, 0, 40}, {"REF", -20, 40, -20, 0}});
    QStringList waiting, picked;
    OnNextDialog<CDxfImportDialog>([&](CDxfImportDialog& d) {
        EXPECT_TRUE(UserInput::ChooseIndex(d.Axis(), CDxfImportDialog::kPickAxis));
        waiting = Report(d);
        UserInput::Click(d.Preview(), d.Preview()->ToPixel({-20, 20}).toPoint());
        picked = Report(d);
        d.accept();
    });
    ASSERT_TRUE(CExchangeCommands::ImportDxf(*m_pChild, standing));
    EXPECT_EQ(waiting.value(0), QStringLiteral("Click a line in the preview to make it the turning axis."));
    EXPECT_EQ(picked.value(0),
              QStringLiteral("axis: the line picked in the preview, from -20,0 to -20,40, vertical"))
        << picked.join('|').toStdString();
    ASSERT_FALSE(Pieces().empty());
    EXPECT_EQ(Pieces().front()->GetStart(), CPoint(0, 300000));
    EXPECT_EQ(Pieces().front()->GetEnd(), CPoint(400000, 300000));
}

}  // namespace
