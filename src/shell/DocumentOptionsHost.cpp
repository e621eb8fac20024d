// The document's layers as the "Drawing Options" dialog edits them.
#include "shell/DocumentOptionsHost.h"

#include "document/KestrovelDoc.h"

CLayerStyle* CDocumentOptionsHost::GetLayerStyle(int index) {
    CLayer* layer = m_doc.GetLayer(index);
    return layer ? &layer->GetStyle() : nullptr;
}

int CDocumentOptionsHost::GetActiveLayerIndex() const { return m_doc.GetActiveLayerIndex(); }

void CDocumentOptionsHost::SetActiveLayer(int index) { m_doc.SetActiveLayer(index); }

void CDocumentOptionsHost::RepaintAllViews() { m_doc.UpdateAllViews(true); }
