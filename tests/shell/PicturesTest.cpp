// Export Picture and the print preview: the whole drawing as `render` draws it, on a fitted page,
// with outlines that stay visible at any preview zoom.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>

#include "SampleWindow.h"
#include "UserInput.h"
#include "shell/DrawingPrint.h"
#include "shell/QtSurface.h"
#include "view/DrawingPicture.h"

using namespace WindowInput;

namespace {

class Pictures : public CSampleWindowFixture {
protected:
    // Zooms in on the right half and selects an element: the window shows neither the whole
    // drawing nor a plain one.
    void ZoomInAndSelect() {
        Click(Canvas(), QPoint(1, 1), Qt::RightButton);
        Wheel(Canvas(), QPoint(Canvas()->width() / 2, Canvas()->height() / 2), 3);
        ASSERT_TRUE(SelectAt(Canvas()->width() / 3));
    }

    void ExportTo(const QString& path) {
        UserInput::WhenShown<QFileDialog>([path](QFileDialog& dialog) {
            dialog.selectFile(path);
            static_cast<QDialog&>(dialog).accept();
        });
        ASSERT_TRUE(ClickMenuItem(Frame().menuBar(), QStringLiteral("File"), QStringLiteral("Export Picture...")));
        Settle();
    }

    // The box of the pixels that are not white.
    static QRect Drawn(const QImage& image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }

    static int CountBlack(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() < 60 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
            }
        }
        return n;
    }
};

}  // namespace

TEST_F(Pictures, AnExportedPngIsTheWholeDrawingAsRenderDrawsIt) {
    OpenSample();
    ZoomInAndSelect();
    const QString path = m_dir.filePath(QStringLiteral("picture.png"));
    ExportTo(path);
    QImage exported(path);
    ASSERT_FALSE(exported.isNull());

    const QSize size = Canvas()->size();
    CQtSurface expected(size.width(), size.height());
    CDrawingPicture::Paint(Doc(), expected);
    EXPECT_EQ(exported.convertToFormat(QImage::Format_RGB32), expected.GetImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(View().GetActiveElement(), nullptr) << "the window keeps its selection";
}

TEST_F(Pictures, AnExportedPdfIsALandscapePageForTheLongSample) {
    OpenSample();
    ZoomInAndSelect();
    const QString path = m_dir.filePath(QStringLiteral("picture.pdf"));
    ExportTo(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString pdf = QString::fromLatin1(file.readAll());
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[\\s*0 0 ([0-9.]+) ([0-9.]+)\\s*\\]")).match(pdf);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble()) << "landscape";
    EXPECT_EQ(CDrawingPrint::OrientationFor(Doc()), QPageLayout::Landscape);
}

TEST_F(Pictures, APageHoldsTheDrawingCentredWithinItsMargin) {
    OpenSample();
    QImage page(1169, 827, QImage::Format_RGB32);  // A4 landscape at 100 dots per inch
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        CDrawingPrint::Paint(Doc(), painter, page.rect());
    }
    const QRect drawn = Drawn(page);
    const int margin = static_cast<int>(827 * CDrawingPrint::kMargin);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_GE(drawn.left(), margin);
    EXPECT_GE(drawn.top(), margin);
    EXPECT_LE(drawn.right(), page.width() - margin);
    EXPECT_LE(drawn.bottom(), page.height() - margin);
    EXPECT_NEAR(drawn.center().y(), page.height() / 2, page.height() / 10) << "not in the top third";
    EXPECT_GT(drawn.width(), page.width() / 2);
    page.save(m_dir.filePath(QStringLiteral("page.png")));
}

TEST_F(Pictures, ThePrintPreviewShowsTheOutlinesAtAThirdOfTheSize) {
    OpenSample();
    int black = -1;
    UserInput::WhenShown<QPrintPreviewDialog>([&black](QPrintPreviewDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        if (preview) {
            preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
            preview->setZoomFactor(0.388);
            QTest::qWait(50);
            const QImage shown = preview->grab().toImage();
            if (const char* keep = getenv("KESTROVEL_PREVIEW_PICTURE")) {
                shown.save(QString::fromLocal8Bit(keep));
            }
            black = CountBlack(shown);
        }
        dialog.reject();
    });
    ASSERT_TRUE(ClickMenuItem(Frame().menuBar(), QStringLiteral("File"), QStringLiteral("Print Preview")));
    Settle();
    EXPECT_GT(black, 200) << "the profile's black outlines are seen in the preview";
}
