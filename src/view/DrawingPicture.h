// CDrawingPicture: a drawing painted by the drawing view at "To fit" into any surface, without a window.
#pragma once

#include <vector>

class CKestrovelDoc;
class CSurface;

class CDrawingPicture {
public:
    // Paints doc as a window of the surface's size shows it after opening. layers (1...6), when
    // not empty, are the layers shown: the first one drawn as the active layer. The document's
    // own active layer and visibility are restored afterwards.
    static void Paint(CKestrovelDoc& doc, CSurface& surface, const std::vector<int>& layers = {});
};
