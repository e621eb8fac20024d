// The top level of the document file: source material, six layers, active layer and programs.
#include <string>

#include "document/ArchiveTags.h"
#include "document/KestrovelDoc.h"
#include "platform/Archive.h"

void CKestrovelDoc::Serialize(CArchive& ar) {
    ar.Rect(m_rcSource);
    ar.Int(m_nShape);
    ar.Int(m_nAccuracy);
    ar.Int(m_nUnit);
    if (ar.IsStoring()) {
        for (auto& layer : m_pLayers) {
            ar.WriteString("LAYER");
            layer->Serialize(ar);
        }
        ar.WriteString("Aktualni Layer");
        ar.WriteInt(m_pActiveLayer ? GetActiveLayerIndex() : 0);
        if (m_pPrograms && m_pPrograms->HasPrograms()) {
            m_pPrograms->StorePrograms(ar);
        }
        ar.WriteString("End");
        return;
    }
    unsigned seenIndices = 0;
    for (auto& layer : m_pLayers) {
        if (!ReadExpectedTag(ar, "LAYER")) {
            return;
        }
        const size_t recordOffset = ar.GetOffset();
        layer->Serialize(ar);
        if (ar.Failed()) {
            return;
        }
        // Each layer record names its own layer; a repeated one would leave another layer unread.
        const unsigned bit = 1u << layer->GetIndex();
        if (seenIndices & bit) {
            ar.Fail("layer index " + std::to_string(layer->GetIndex()) +
                        " repeated in the layer record at byte " + std::to_string(recordOffset),
                    recordOffset);
            return;
        }
        seenIndices |= bit;
    }
    LoadTail(ar);
    // "End" closes the file: bytes after it mean the file is not what this reader thinks it is.
    if (!ar.Failed() && !ar.AtEnd()) {
        ar.Fail(std::to_string(ar.GetRemaining()) + " unexpected bytes after \"End\" at byte " +
                std::to_string(ar.GetOffset()));
    }
}

void CKestrovelDoc::LoadTail(CArchive& ar) {
    if (!ReadExpectedTag(ar, "Aktualni Layer")) {
        return;
    }
    const size_t indexOffset = ar.GetOffset();
    const int active = ar.ReadInt();
    if (ar.Failed()) {
        return;
    }
    if (active < 0 || active >= kLayerCount) {
        ar.Fail("active layer " + std::to_string(active) + " out of range at byte " +
                    std::to_string(indexOffset),
                indexOffset);
        return;
    }
    m_pActiveLayer = m_pLayers[static_cast<size_t>(active)].get();
    const size_t offset = ar.GetOffset();
    const std::string tag = ar.ReadString();
    if (ar.Failed() || tag == "End") {
        return;
    }
    if (tag != "Programs") {
        FailUnexpectedTag(ar, tag, offset);
        return;
    }
    if (!m_pPrograms) {
        ar.Fail("the file holds CNC programs (tag \"Programs\" at byte " + std::to_string(offset) +
                    ") but no program support is installed",
                offset);
        return;
    }
    m_pPrograms->LoadPrograms(ar);
}

bool CKestrovelDoc::OnOpenDocument(CArchive& ar) {
    Serialize(ar);
    if (ar.Failed() || !m_pActiveLayer) {
        if (!ar.Failed()) {
            ar.Fail("the document has no active layer");
        }
        return false;
    }
    for (int i = 0; i < kLayerCount; ++i) {
        CLayer& layer = *m_pLayers[static_cast<size_t>(i)];
        layer.SetDocument(this);
        m_undo[static_cast<size_t>(i)].Push(std::make_unique<CLayer>(layer));
    }
    SetModifiedFlag(false);
    return true;
}

bool CKestrovelDoc::OnOpenDocument(const std::string& path, std::string& error, size_t* faultOffset) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) {
        return false;
    }
    CArchive ar(std::move(bytes));
    if (!OnOpenDocument(ar)) {
        error = ar.GetError();
        if (faultOffset) {
            *faultOffset = ar.GetFailOffset();
        }
        return false;
    }
    return true;
}

bool CKestrovelDoc::OnSaveDocument(const std::string& path, std::string& error) {
    CArchive ar;
    Serialize(ar);
    if (!WriteFileAtomic(path, ar.GetBytes(), error)) {
        return false;
    }
    SetModifiedFlag(false);
    return true;
}
