// Tool-bar artwork and cursors drawn with QPainter: simple line glyphs on a 24-pixel canvas.
#include "shell/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "platform/ViewHost.h"
#include "shell/CommandIds.h"
#include "view/ViewCommands.h"

namespace {

using CGlyph = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kAccent(30, 90, 180);
const QColor kWarm(200, 70, 40);

QPixmap Paint(const CGlyph& glyph, int size = 24) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 24.0, size / 24.0);
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    glyph(p);
    return pm;
}

void Text(QPainter& p, const QString& text, const QColor& color = kInk, int pixels = 11) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(true);
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, text);
}

void Page(QPainter& p, qreal x, qreal y) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + 9, y);
    path.lineTo(x + 13, y + 4);
    path.lineTo(x + 13, y + 17);
    path.lineTo(x, y + 17);
    path.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(path);
}

void Lens(QPainter& p, const QString& sign) {
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(kAccent, 1.8));
    p.drawLine(QPointF(7, 10), QPointF(13, 10));
    if (sign == QLatin1String("+")) {
        p.drawLine(QPointF(10, 7), QPointF(10, 13));
    }
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 4 + n * 3);
    p.drawLine(to, to - d * 4 - n * 3);
}

void CurvedArrow(QPainter& p, bool left) {
    QPainterPath path;
    path.moveTo(left ? 19 : 5, 18);
    path.cubicTo(left ? 19 : 5, 7, left ? 8 : 16, 5, left ? 5 : 19, 10);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    const qreal x = left ? 5 : 19;
    p.drawLine(QPointF(x, 10), QPointF(x + (left ? 1 : -1), 4));
    p.drawLine(QPointF(x, 10), QPointF(x + (left ? 6 : -6), 11));
}

const std::map<int, CGlyph>& Glyphs() {
    static const std::map<int, CGlyph> glyphs = {
        {kCmdFileNew, [](QPainter& p) { Page(p, 5, 3); }},
        {kCmdFileOpen,
         [](QPainter& p) {
             p.setBrush(QColor(240, 200, 90));
             p.drawPolygon(QPolygonF({{3, 7}, {9, 7}, {11, 9}, {21, 9}, {21, 19}, {3, 19}}));
         }},
        {kCmdFileSave,
         [](QPainter& p) {
             p.setBrush(kAccent);
             p.drawRect(QRectF(4, 4, 16, 16));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(7, 4, 10, 6));
             p.drawRect(QRectF(8, 13, 8, 7));
         }},
        {kCmdEditCut,
         [](QPainter& p) {
             p.drawLine(QPointF(7, 3), QPointF(15, 15));
             p.drawLine(QPointF(17, 3), QPointF(9, 15));
             p.drawEllipse(QPointF(8, 18), 3, 3);
             p.drawEllipse(QPointF(16, 18), 3, 3);
         }},
        {kCmdEditCopy,
         [](QPainter& p) {
             Page(p, 3, 2);
             Page(p, 8, 5);
         }},
        {kCmdEditPaste,
         [](QPainter& p) {
             p.setBrush(QColor(190, 150, 90));
             p.drawRect(QRectF(4, 4, 14, 17));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(8, 2, 6, 4));
             Page(p, 10, 9);
         }},
        {kCmdEditUndo, [](QPainter& p) { CurvedArrow(p, true); }},
        {kCmdEditRedo, [](QPainter& p) { CurvedArrow(p, false); }},
        {kCmdFilePrint,
         [](QPainter& p) {
             p.setBrush(Qt::white);
             p.drawRect(QRectF(7, 3, 10, 7));
             p.setBrush(QColor(170, 170, 170));
             p.drawRect(QRectF(3, 10, 18, 8));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(7, 15, 10, 6));
         }},
        {kCmdOptions,
         [](QPainter& p) {
             for (int a = 0; a < 8; ++a) {
                 p.save();
                 p.translate(12, 12);
                 p.rotate(a * 45);
                 p.drawLine(QPointF(0, 5), QPointF(0, 9));
                 p.restore();
             }
             p.drawEllipse(QPointF(12, 12), 5, 5);
         }},
        {kCmdDrawingManager,
         [](QPainter& p) {
             for (int i = 0; i < 3; ++i) {
                 p.drawRect(QRectF(4, 4 + i * 6, 16, 4));
             }
         }},
        {kCmdView3D,
         [](QPainter& p) {
             p.drawRect(QRectF(4, 8, 11, 11));
             p.drawPolyline(QPolygonF({{4, 8}, {9, 3}, {20, 3}, {20, 14}, {15, 19}}));
             p.drawLine(QPointF(15, 8), QPointF(20, 3));
         }},
        {kCmdCncProgramming,
         [](QPainter& p) {
             p.setBrush(QColor(230, 235, 245));
             p.drawRoundedRect(QRectF(2, 4, 20, 16), 3, 3);
             Text(p, QStringLiteral("NC"), kAccent, 10);
         }},
        {kCmdAppAbout,
         [](QPainter& p) {
             p.drawEllipse(QPointF(12, 12), 9, 9);
             Text(p, QStringLiteral("?"), kAccent, 13);
         }},
        {kCmdContextHelp,
         [](QPainter& p) {
             p.drawPolygon(QPolygonF({{3, 3}, {3, 15}, {6, 12}, {9, 18}, {11, 17}, {8, 11}, {12, 11}}));
             QFont f(QStringLiteral("DejaVu Sans"));
             f.setPixelSize(12);
             f.setBold(true);
             p.setFont(f);
             p.setPen(kAccent);
             p.drawText(QRectF(12, 6, 12, 16), Qt::AlignCenter, QStringLiteral("?"));
         }},
        {ID_MODE_FAST,
         [](QPainter& p) {
             p.setBrush(QColor(250, 200, 40));
             p.drawPolygon(QPolygonF({{13, 2}, {5, 13}, {11, 13}, {9, 22}, {19, 9}, {13, 9}}));
         }},
        {ID_MODE_SLOW,
         [](QPainter& p) {
             p.setBrush(QColor(120, 170, 90));
             p.drawChord(QRectF(4, 7, 16, 16), 0, 180 * 16);
             p.drawEllipse(QPointF(20, 13), 2, 2);
         }},
        {ID_EDIT_OK,
         [](QPainter& p) {
             p.setPen(QPen(QColor(30, 140, 50), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF({{5, 12}, {10, 18}, {19, 6}}));
         }},
        {ID_EDIT_BACK,
         [](QPainter& p) {
             p.setPen(QPen(kWarm, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(6, 6), QPointF(18, 18));
             p.drawLine(QPointF(18, 6), QPointF(6, 18));
         }},
        {ID_TOOL_SELECT,
         [](QPainter& p) {
             p.setBrush(Qt::white);
             p.drawPolygon(QPolygonF({{6, 3}, {6, 19}, {10, 15}, {13, 21}, {15, 20}, {12, 14}, {18, 14}}));
         }},
        {ID_TOOL_RANGE,
         [](QPainter& p) {
             p.setPen(QPen(kWarm, 2));
             p.drawPolyline(QPolygonF({{8, 4}, {4, 4}, {4, 20}, {8, 20}}));
             p.setPen(QPen(kAccent, 2));
             p.drawPolyline(QPolygonF({{16, 4}, {20, 4}, {20, 20}, {16, 20}}));
         }},
        {ID_TOOL_LINE,
         [](QPainter& p) {
             p.drawLine(QPointF(4, 19), QPointF(20, 5));
             p.setBrush(kInk);
             p.drawEllipse(QPointF(4, 19), 1.5, 1.5);
             p.drawEllipse(QPointF(20, 5), 1.5, 1.5);
         }},
        {ID_TOOL_CIRCLE, [](QPainter& p) { p.drawArc(QRectF(3, 6, 18, 26), 0, 180 * 16); }},
        {ID_TOOL_K1, [](QPainter& p) { Text(p, QStringLiteral("K1")); }},
        {ID_TOOL_K2, [](QPainter& p) { Text(p, QStringLiteral("K2")); }},
        {ID_TOOL_K3, [](QPainter& p) { Text(p, QStringLiteral("K3")); }},
        {ID_TOOL_K4, [](QPainter& p) { Text(p, QStringLiteral("K4")); }},
        {ID_TOOL_CURVE,
         [](QPainter& p) {
             QPainterPath path;
             path.moveTo(3, 18);
             path.cubicTo(9, 0, 15, 24, 21, 6);
             p.drawPath(path);
         }},
        {ID_TOOL_MIRROR,
         [](QPainter& p) {
             p.setBrush(QColor(200, 200, 200));
             p.drawPolygon(QPolygonF({{10, 4}, {10, 20}, {3, 20}}));
             p.drawPolygon(QPolygonF({{14, 4}, {14, 20}, {21, 20}}));
         }},
        {ID_TOOL_TURN,
         [](QPainter& p) {
             p.drawArc(QRectF(4, 4, 16, 16), 90 * 16, 270 * 16);
             Arrow(p, QPointF(12, 4), QPointF(17, 4));
         }},
        {ID_TOOL_MOVE,
         [](QPainter& p) {
             Arrow(p, QPointF(12, 12), QPointF(12, 3));
             Arrow(p, QPointF(12, 12), QPointF(12, 21));
             Arrow(p, QPointF(12, 12), QPointF(3, 12));
             Arrow(p, QPointF(12, 12), QPointF(21, 12));
         }},
        {ID_TOOL_DEBUG,
         [](QPainter& p) {
             p.setBrush(kWarm);
             p.drawEllipse(QRectF(7, 6, 10, 14));
             for (int y : {9, 13, 17}) {
                 p.drawLine(QPointF(3, y), QPointF(21, y));
             }
         }},
        {ID_ZOOM_IN, [](QPainter& p) { Lens(p, QStringLiteral("+")); }},
        {ID_ZOOM_OUT, [](QPainter& p) { Lens(p, QStringLiteral("-")); }},
        {ID_ZOOM_FIT,
         [](QPainter& p) {
             p.drawRect(QRectF(7, 7, 10, 10));
             Arrow(p, QPointF(7, 7), QPointF(3, 3));
             Arrow(p, QPointF(17, 17), QPointF(21, 21));
         }},
        {ID_ZOOM_100, [](QPainter& p) { Text(p, QStringLiteral("1:1"), kInk, 9); }},
        {ID_ZOOM_OBJECT,
         [](QPainter& p) {
             p.setPen(QPen(kWarm, 1.5, Qt::DashLine));
             p.drawRect(QRectF(3, 3, 18, 18));
             p.setPen(QPen(kInk, 2));
             p.drawLine(QPointF(6, 17), QPointF(18, 8));
         }},
    };
    return glyphs;
}

QIcon LayerIcon(int id) {
    const bool final = id == kCmdLayerFinal;
    const QString label = final ? QStringLiteral("F") : QString::number(id - kCmdLayer1 + 1);
    return QIcon(Paint([&](QPainter& p) {
        p.setBrush(final ? QColor(230, 220, 200) : QColor(220, 230, 245));
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 3, 3);
        Text(p, label, final ? kWarm : kAccent, 12);
    }));
}

QCursor MakeCursor(const CGlyph& glyph, int hotX, int hotY) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A white halo under black strokes keeps the cursor visible on any drawing.
    for (const QColor& c : {QColor(Qt::white), QColor(Qt::black)}) {
        p.setPen(QPen(c, c == Qt::white ? 3 : 1));
        glyph(p);
    }
    p.end();
    return QCursor(pm, hotX, hotY);
}

}  // namespace

QIcon CIcons::ForCommand(int id) {
    if (id >= kCmdLayer1 && id <= kCmdLayerFinal) {
        return LayerIcon(id);
    }
    auto it = Glyphs().find(id);
    if (it == Glyphs().end()) {
        return QIcon();
    }
    QIcon icon;
    icon.addPixmap(Paint(it->second, 24));
    icon.addPixmap(Paint(it->second, 16));
    return icon;
}

QIcon CIcons::Application() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        icon.addPixmap(Paint(
            [](QPainter& p) {
                // A turned part: a stepped profile above its axis.
                p.setBrush(QColor(200, 210, 225));
                p.drawPolygon(QPolygonF({{2, 19}, {2, 11}, {9, 11}, {9, 6}, {16, 6}, {22, 12}, {22, 19}}));
                p.setPen(QPen(kWarm, 1.2, Qt::DashLine));
                p.drawLine(QPointF(1, 20), QPointF(23, 20));
            },
            size));
    }
    return icon;
}

QCursor CIcons::Cursor(int cursor) {
    switch (cursor) {
        case kCursorGrab:
            return MakeCursor(
                [](QPainter& p) {
                    p.drawLine(15, 3, 15, 27);
                    p.drawLine(3, 15, 27, 15);
                    p.setBrush(Qt::NoBrush);
                    p.drawRect(11, 11, 8, 8);
                },
                15, 15);
        case kCursorRange:
            return MakeCursor(
                [](QPainter& p) {
                    p.drawLine(15, 2, 15, 28);
                    p.drawPolyline(QPolygon({{11, 6}, {8, 6}, {8, 24}, {11, 24}}));
                    p.drawPolyline(QPolygon({{19, 6}, {22, 6}, {22, 24}, {19, 24}}));
                },
                15, 15);
        case kCursorMove:
            return MakeCursor(
                [](QPainter& p) {
                    p.drawLine(15, 3, 15, 27);
                    p.drawLine(3, 15, 27, 15);
                    p.drawPolyline(QPolygon({{11, 7}, {15, 3}, {19, 7}}));
                    p.drawPolyline(QPolygon({{11, 23}, {15, 27}, {19, 23}}));
                    p.drawPolyline(QPolygon({{7, 11}, {3, 15}, {7, 19}}));
                    p.drawPolyline(QPolygon({{23, 11}, {27, 15}, {23, 19}}));
                },
                15, 15);
        case kCursorZoom:
            return MakeCursor(
                [](QPainter& p) {
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(4, 4, 14, 14);
                    p.drawLine(16, 16, 26, 26);
                    p.drawLine(8, 11, 14, 11);
                    p.drawLine(11, 8, 11, 14);
                },
                11, 11);
        case kCursorCross: return QCursor(Qt::CrossCursor);
        default: return QCursor(Qt::ArrowCursor);
    }
}
