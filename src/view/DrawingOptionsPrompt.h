// CDrawingOptionsPrompt: the "Drawing Options" dialog as the layer bar's button needs it.
#pragma once

class CKestrovelDoc;

// The shell runs the real modal dialog on the document; tests answer directly.
class CDrawingOptionsPrompt {
public:
    virtual ~CDrawingOptionsPrompt() = default;
    virtual void Run(CKestrovelDoc& doc) = 0;
};
