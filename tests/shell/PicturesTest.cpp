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

using namespace UserInput;

namespace {

class Pictures : public CSampleWindowFixture {
protected:
    // KESTROVEL_TEST_PICTURES=DIR keeps the pictures the tests look at, for a person to see.
    static void Keep(const QImage& image, const QString& name) {
        if (const char* folder = getenv("KESTROVEL_TEST_PICTURES")) {
            image.save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name);
        }
    }

    // Zooms in on the right half and selects an element: the window shows neither the whole
    // drawing nor a plain one.
    void ZoomInAndSelect() {
        Click(Canvas(), QPoint(1, 1), Qt::RightButton);
        Wheel(Canvas(), QPoint(Canvas()->width() / 2, Canvas()->height() / 2), 3);
        ASSERT_TRUE(SelectAt(Canvas()->width() / 3));
    }

    void ExportTo(const QString& path) {
        UserInput::WhenShown<QFileDialog>([path](QFileDialog& dialog) {
            UserInput::TypeFileName(dialog, path);
        });
        ASSERT_TRUE(ClickMenu(Frame().menuBar(), QStringLiteral("File"), QStringLiteral("Export Picture...")));
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

    // The share of the page's columns between the outermost black pixels that hold a black
    // pixel: the outline runs along the whole part, so every column of it has one. (The page is
    // where the preview shows white; its shadow is black too.)
    static double BlackColumns(const QImage& preview) {
        QRect page;
        for (int y = 0; y < preview.height(); ++y) {
            for (int x = 0; x < preview.width(); ++x) {
                if ((preview.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
                    page |= QRect(x, y, 1, 1);
                }
            }
        }
        const QImage image = preview.copy(page.adjusted(2, 2, -2, -2));
        int first = -1;
        int last = -1;
        int columns = 0;
        for (int x = 0; x < image.width(); ++x) {
            bool black = false;
            for (int y = 0; y < image.height() && !black; ++y) {
                const QColor c = image.pixelColor(x, y);
                black = c.red() < 60 && c.green() < 60 && c.blue() < 60;
            }
            if (black) {
                first = first < 0 ? x : first;
                last = x;
                ++columns;
            }
        }
        return first < 0 ? 0.0 : static_cast<double>(columns) / (last - first + 1);
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
    Keep(exported, QStringLiteral("exported.png"));
    Keep(Drawing().Picture(), QStringLiteral("window.png"));

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
    Keep(page, QStringLiteral("page.png"));
}

TEST_F(Pictures, ThePrintPreviewShowsTheOutlinesAtAThirdOfTheSize) {
    OpenSample();
    double black = -1;
    UserInput::WhenShown<QPrintPreviewDialog>([&black](QPrintPreviewDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        if (preview) {
            preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
            preview->setZoomFactor(0.388);
            QTest::qWait(50);
            const QImage shown = preview->grab().toImage();
            Keep(shown, QStringLiteral("print-preview.png"));
            black = BlackColumns(shown);
        }
        dialog.reject();
    });
    ASSERT_TRUE(ClickMenu(Frame().menuBar(), QStringLiteral("File"), QStringLiteral("Print Preview")));
    Settle();
    EXPECT_GT(black, 0.97) << "the profile's black outline is seen along the whole part";
}
