// CQtSurface: the drawing surface over QPainter, on a picture of its own or on a given painter.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdint>
#include <memory>

#include "platform/Surface.h"
#include "shell/ColumnFillQueue.h"

class CQtSurface : public CSurface {
public:
    // An off-screen picture of the given size, white at first.
    CQtSurface(int width, int height);
    // An off-screen picture of the given size, clear at first, to lay over another one.
    static std::unique_ptr<CQtSurface> MakeClear(int width, int height);
    // Draws through a painter someone else owns (a printer page); width and height are the
    // area the caller lays out in.
    CQtSurface(QPainter* painter, int width, int height);
    ~CQtSurface() override;
    CQtSurface(const CQtSurface&) = delete;
    CQtSurface& operator=(const CQtSurface&) = delete;

    int GetWidth() const override { return m_nWidth; }
    int GetHeight() const override { return m_nHeight; }
    CPen GetPen() const override { return m_pen; }
    void SetPen(const CPen& pen) override;
    CBrush GetBrush() const override { return m_brush; }
    void SetBrush(const CBrush& brush) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polygon(const std::vector<CPoint>& points) override;
    void FillPolygon(const std::vector<CPoint>& points) override;
    void FillPolygonMinusEllipses(const std::vector<CPoint>& points,
                                  const std::vector<CRect>& ellipses) override;
    void Rectangle(const CRect& box) override;
    void Ellipse(const CRect& box) override;
    void Arc(const CRect& box, CPoint start, CPoint end) override;
    void Chord(const CRect& box, CPoint start, CPoint end) override;
    void FillSolidRect(const CRect& rect, COLORREF color) override;
    void FillColumns(int x, const std::vector<CColumnSpan>& spans, const CBrush& brush) override;

    void SetTextColor(COLORREF color) override { m_crText = color; }
    void SetTextAlign(int flags) override { m_nAlign = flags; }
    void TextOut(int x, int y, const std::string& text) override;
    CSize GetTextExtent(const std::string& text) const override;

    std::unique_ptr<CSurface> CreateCompatible(int width, int height) const override;
    void BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) override;
    std::unique_ptr<CSurface> CreateClear(int width, int height) const override;
    bool DrawOver(int x, int y, const CSurface& picture) override;

    // The picture with every pending stroke finished (empty for a painter-backed surface).
    const QImage& GetImage() const;
    // Ends the painter on the own picture and writes the column fills still gathered, so that
    // others may read it; the next stroke begins a new painter.
    void Flush() const;

    // The font texts are drawn with: a sans-serif face close to the classic dialog font.
    static QFont TextFont();
    static QColor ToColor(COLORREF color);
    // Converts a ray through a point of the box into the angle Qt uses for arcs (1/16 degree).
    static int ArcAngle(const QRectF& box, CPoint through);

private:
    // The painter for a stroke anywhere, or for one within the reach of the pen around a box.
    QPainter& Painter();
    QPainter& PainterFor(const QRect& reach);
    QRect Reach(const QRect& box) const;
    void EndPainter() const;
    // Writes the pending column fills in the blocks of columns left ... right.
    void WritePendingColumns(int left, int right) const;
    void ApplyPen(QPainter& p) const;
    void ApplyBrush(QPainter& p) const;
    // Start angle and span (1/16 degree) of the counter-clockwise arc from start to end.
    static void ArcAngles(const QRectF& box, CPoint start, CPoint end, int& angle, int& span);
    static QRectF BoxOf(const CRect& box, bool outlined);
    // Which pixels of an 8 x 8 tile the brush paints (bit x of row y), as Qt tiles it from the
    // picture's corner.
    static std::array<uint8_t, 8> TileOf(const CBrush& brush);

    int m_nWidth;
    int m_nHeight;
    mutable QImage m_image;
    mutable std::unique_ptr<QPainter> m_pOwnPainter;
    // Column fills not yet in the picture; the painter is ended before any are written.
    mutable CColumnFillQueue m_pending;
    QPainter* m_pExternal = nullptr;
    CPen m_pen;
    CBrush m_brush;
    COLORREF m_crText = kColorBlack;
    int m_nAlign = 0;
    QPoint m_ptCurrent;
};
