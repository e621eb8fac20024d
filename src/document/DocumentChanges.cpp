// Comparing two drawings part by part through what each part stores.
#include "document/DocumentChanges.h"

#include <cstdint>
#include <vector>

#include "document/KestrovelDoc.h"
#include "platform/Archive.h"

namespace {

std::vector<uint8_t> StoredLayer(const CKestrovelDoc& doc, int i) {
    CArchive ar;
    if (CLayer* layer = doc.GetLayer(i)) {
        layer->Serialize(ar);
    }
    return ar.GetBytes();
}

std::vector<uint8_t> StoredPrograms(const CKestrovelDoc& doc) {
    CArchive ar;
    if (CDocPrograms* programs = doc.GetPrograms(); programs && programs->HasPrograms()) {
        programs->StorePrograms(ar);
    }
    return ar.GetBytes();
}

std::string JoinNumbers(const std::vector<int>& numbers) {
    std::string text;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            text += i + 1 == numbers.size() ? " and " : ", ";
        }
        text += std::to_string(numbers[i]);
    }
    return text;
}

}  // namespace

std::string CDocumentChanges::Describe(CKestrovelDoc& now, CKestrovelDoc& before) {
    std::vector<std::string> parts;
    const CRect a = now.GetSourceRect();
    const CRect b = before.GetSourceRect();
    if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom ||
        now.GetShape() != before.GetShape()) {
        parts.push_back("source material");
    }
    if (now.GetUnit() != before.GetUnit() || now.GetAccuracy() != before.GetAccuracy()) {
        parts.push_back("units");
    }
    std::vector<int> layers;
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        if (StoredLayer(now, i) != StoredLayer(before, i)) {
            layers.push_back(i + 1);
        }
    }
    if (!layers.empty()) {
        parts.push_back((layers.size() == 1 ? "layer " : "layers ") + JoinNumbers(layers));
    }
    if (now.GetActiveLayerIndex() != before.GetActiveLayerIndex()) {
        parts.push_back("active layer");
    }
    if (StoredPrograms(now) != StoredPrograms(before)) {
        parts.push_back("CNC programs");
    }
    if (parts.empty()) {
        return "no changes";
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : ", ") + part;
    }
    return text;
}
