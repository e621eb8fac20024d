// CZoomCommands: the zoom box presets and typed zoom, zoom in, out, to 100 %, to fit, to the object.
#pragma once

#include <string>

class CKestrovelView;

class CZoomCommands {
public:
    explicit CZoomCommands(CKestrovelView& view) : m_view(view) {}

    // Zoom box entries: "400%" ... "25%", "To width", "To height", "To fit".
    void OnPreset(int index);
    // The zoom box text, read when it loses the focus.
    void OnTyped(const std::string& text);
    // Digits up to the first "." or the end; any other character gives 0.
    static int ParseTypedZoom(const std::string& text);
    // The zoom-changed notification: the zoom box shows "<zoom>%".
    void ShowZoom();

    void ZoomIn();
    // A left click in the zoom-in mode.
    void ZoomInAt(int x, int y);
    void ZoomOut();
    // Zooms by a quarter per notch (out for negative notches), the model point under the pixel
    // staying under it as far as the scroll limits allow.
    void ZoomWheel(int notches, int x, int y);
    void Zoom100();
    void ZoomFit();
    void ZoomToObject();

private:
    // Sets the zoom keeping the given model point in the middle; repaints when the zoom changed.
    void ZoomAround(int percent, int32_t mz, int32_t mx, bool repaintAlways);

    CKestrovelView& m_view;
};
