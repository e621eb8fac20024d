// Documents with a program list and the document's macro context.
#include "postprocessor/ProgramDocument.h"

#include "document/KestrovelDoc.h"
#include "postprocessor/ProgramList.h"

std::unique_ptr<CKestrovelDoc> CProgramDocument::Create(const CDocServices& services) {
    auto doc = std::make_unique<CKestrovelDoc>(services);
    Attach(*doc);
    return doc;
}

CProgramList* CProgramDocument::Attach(CKestrovelDoc& doc) {
    if (!GetList(doc)) {
        doc.SetPrograms(std::make_unique<CProgramList>(doc.GetMessages()));
    }
    return GetList(doc);
}

CProgramList* CProgramDocument::GetList(const CKestrovelDoc& doc) {
    return dynamic_cast<CProgramList*>(doc.GetPrograms());
}

std::unique_ptr<CLayer> CDocumentContext::CopyLayer(int index) {
    if (index < 0 || index >= CKestrovelDoc::kLayerCount || !m_doc.GetLayer(index)) {
        return nullptr;
    }
    return m_doc.CopyLayer(index);
}

CMessages* CDocumentContext::GetMessages() { return m_doc.GetMessages(); }
