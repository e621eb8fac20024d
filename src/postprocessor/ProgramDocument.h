// CProgramDocument: documents that carry a program list, and the macro context a document gives.
#pragma once

#include <memory>

#include "document/DocServices.h"
#include "postprocessor/MacroContext.h"

class CKestrovelDoc;
class CProgramList;

class CProgramDocument {
public:
    // A new document object with an empty program list installed (messages from the services).
    static std::unique_ptr<CKestrovelDoc> Create(const CDocServices& services = {});
    // Installs a program list into a document that has none; returns the document's list.
    static CProgramList* Attach(CKestrovelDoc& doc);
    // The document's program list, or null when it carries none.
    static CProgramList* GetList(const CKestrovelDoc& doc);
};

// Compiles against a document's layers; messages go to the document's sink.
class CDocumentContext : public CMacroContext {
public:
    explicit CDocumentContext(const CKestrovelDoc& doc) : m_doc(doc) {}
    std::unique_ptr<CLayer> CopyLayer(int index) override;
    CMessages* GetMessages() override;

private:
    const CKestrovelDoc& m_doc;
};
