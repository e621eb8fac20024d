// The drawing view's services for elements: model/pixel mapping, length texts, flags, pictures.
#pragma once

#include <memory>
#include <string>

#include "platform/ControlBar.h"
#include "platform/Geometry.h"
#include "platform/Messages.h"
#include "platform/Surface.h"

class CViewHost;

// The part of the drawing view that elements see. The full view (CKestrovelView) derives from
// it and owns how zoom, scale and origin change; a bare CViewServices serves tests and tools.
class CViewServices {
public:
    CViewServices() = default;
    virtual ~CViewServices() = default;
    CViewServices(const CViewServices&) = delete;
    CViewServices& operator=(const CViewServices&) = delete;

    // Model to pixel: truncating integer steps (computed in 64 bits, same results).
    int ModelToScreenX(int32_t mx) const;
    int ModelToScreenY(int32_t my) const;
    CPoint ModelToScreen(CPoint p) const { return {ModelToScreenX(p.x), ModelToScreenY(p.y)}; }
    // Floating mapping for circles; not rounded.
    double ModelToScreenXF(double v) const;
    double ModelToScreenYF(double v) const;
    // Pixel to model.
    int32_t ScreenToModelX(int sx) const;
    int32_t ScreenToModelY(int sy) const;
    CPoint ScreenToModel(CPoint p) const { return {ScreenToModelX(p.x), ScreenToModelY(p.y)}; }

    // A model length as display text in the view's units and coordinate format.
    std::string FormatLength(int32_t length) const;
    // A radial coordinate as display text: a diameter while the diameter read-out is on.
    std::string FormatRadial(int32_t radial) const;
    // The text an object-bar field shows for a value: radial fields follow the diameter read-out.
    std::string FormatLengthField(int id, int32_t value) const;
    // The object-bar control's text as model units; 1 when the text is not a number. A diameter
    // typed into a radial field is halved.
    int32_t ReadLengthField(int id) const;
    // Reads the field into target when it was edited and holds a number; otherwise target stays
    // (1, the reader's answer for text that is not a number, never reaches the element).
    void ReadEditedLength(bool edited, int id, int32_t& target) const;
    // The fields that hold a radial coordinate (start X, end X, J).
    static bool IsRadialField(int id);
    // Decimal reader: digits, one ".", spaces skipped; anything else gives kInvalidDecimal.
    static double ReadDecimal(const std::string& text);
    static constexpr double kInvalidDecimal = 100000000000.0;

    // State read by the services.
    int GetZoom() const { return m_nZoom; }
    int GetScale() const { return m_nScale; }
    CPoint GetOrigin() const { return m_ptOrigin; }
    int GetUnits() const { return m_nUnits; }
    const std::string& GetFormat() const { return m_strFormat; }
    int GetDrawLines() const { return m_bDrawLines; }
    int GetDrawLabels() const { return m_bDrawLabels; }
    // Radial values shown and typed as diameters; stored geometry stays radial.
    int GetDiameter() const { return m_bDiameter; }
    void SetDiameter(int flag) { m_bDiameter = flag; }
    // Sets the fourth character of the coordinate format to the decimals digit (0...3).
    void SetFormatDigit(int digits);
    // Accuracy index (0...3 decimals shown; an index outside the table rounds to whole units).
    int GetAccuracy() const { return m_nAccuracy; }
    void SetAccuracy(int accuracy) { m_nAccuracy = accuracy; }
    // A model length rounded to the display step of the view's units and accuracy.
    virtual int32_t RoundToAccuracy(int32_t length) const;

    // Plain setters for tests and tools; the full view changes these through its own rules.
    void SetZoomValue(int zoom) { m_nZoom = zoom; }
    void SetScaleValue(int scale) { m_nScale = scale; }
    void SetOrigin(CPoint origin) { m_ptOrigin = origin; }
    void SetUnits(int units) { m_nUnits = units; }
    void SetDrawLines(int flag) { m_bDrawLines = flag; }
    void SetDrawLabels(int flag) { m_bDrawLabels = flag; }

    // Length of the drawing (right edge of the source material); the view asks its document.
    virtual int32_t GetDrawingLength() const { return m_nDrawingLength; }
    void SetDrawingLength(int32_t length) { m_nDrawingLength = length; }

    // The main frame's object bar (may be null).
    CControlBar* GetObjectBar() const { return m_pObjectBar; }
    void SetObjectBar(CControlBar* bar) { m_pObjectBar = bar; }
    // Where message boxes go (may be null: no message is shown).
    CMessages* GetMessages() const { return m_pMessages; }
    void SetMessages(CMessages* messages) { m_pMessages = messages; }

    // The window surface for overlays drawn outside a paint (may be null).
    virtual CSurface* GetWindowSurface() { return m_pWindowSurface; }
    void SetWindowSurface(CSurface* surface) { m_pWindowSurface = surface; }
    // The layers as last painted, and where overlays are composed (both client-sized; may be null).
    CSurface* GetCleanPicture() const { return m_pCleanPicture.get(); }
    CSurface* GetCompositionSurface() const { return m_pComposition.get(); }
    // Recreates both pictures at the given size, compatible with the given surface.
    void CreatePictures(const CSurface& like, int width, int height);

protected:
    int m_nZoom = 100;
    int m_nScale = 50;
    CPoint m_ptOrigin;
    int m_nUnits = 1;
    int m_nAccuracy = 0;
    std::string m_strFormat = "%3.0f";
    int m_bDrawLines = 1;
    int m_bDrawLabels = 1;
    int m_bDiameter = 0;
    int32_t m_nDrawingLength = 9000000;
    CControlBar* m_pObjectBar = nullptr;
    CMessages* m_pMessages = nullptr;
    CSurface* m_pWindowSurface = nullptr;
    std::unique_ptr<CSurface> m_pCleanPicture;
    std::unique_ptr<CSurface> m_pComposition;
};
