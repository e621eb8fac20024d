// CDocumentOptionsHost: the "Drawing Options" dialog's view of a document's layers.
#pragma once

#include "shell/DrawingOptionsLogic.h"

class CKestrovelDoc;

class CDocumentOptionsHost : public CDrawingOptionsHost {
public:
    explicit CDocumentOptionsHost(CKestrovelDoc& doc) : m_doc(doc) {}
    CLayerStyle* GetLayerStyle(int index) override;
    int GetActiveLayerIndex() const override;
    void SetActiveLayer(int index) override;
    void RepaintAllViews() override;

private:
    CKestrovelDoc& m_doc;
};
