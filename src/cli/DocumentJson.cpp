// The dump of documents, layers and programs; elements are decoded from their records.
#include "cli/DocumentJson.h"

#include "cli/ElementRecordJson.h"
#include "document/KestrovelDoc.h"
#include "document/Layer.h"
#include "postprocessor/ProgramList.h"

namespace {

using Json = CDocumentJson::Json;

bool IsValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        uint32_t min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= s.size()) {
            return false;
        }
        uint32_t cp = c & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

Json StyleJson(const CLayerStyle& style) {
    return Json{{"drawEdges", style.m_bDrawEdges}, {"brushNull", style.m_bBrushNull},
                {"brushSolid", style.m_bBrushSolid}, {"brushType", style.m_nBrushType},
                {"brushColor", style.m_crBrush},     {"penColor", style.m_crPen},
                {"penStyle", style.m_nPenStyle},     {"penWidth", style.m_nPenWidth}};
}

Json ParameterJson(const CParameter& p) {
    return Json{{"label", CDocumentJson::Text(p.GetLabel())}, {"key", CDocumentJson::Text(p.GetKey())},
                {"spec", CDocumentJson::Text(p.GetSpec())},   {"hasValue", p.HasValue()},
                {"value", p.GetRawValue()}};
}

Json CommandJson(const CCommand& c) {
    Json parameters = Json::array();
    for (const auto& p : c.GetParameters()) {
        parameters.push_back(ParameterJson(*p));
    }
    return Json{{"name", CDocumentJson::Text(c.GetName())},
                {"index", c.GetIndex()},
                {"help", CDocumentJson::Text(c.GetHelp())},
                {"macro", CDocumentJson::Text(c.GetMacroName())},
                {"parameters", parameters}};
}

}  // namespace

std::string CDocumentJson::Text(const std::string& bytes) {
    if (IsValidUtf8(bytes)) {
        return bytes;
    }
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

Json CDocumentJson::FromLayer(const CLayer& layer) {
    Json visible = Json::array();
    for (int i = 0; i < CLayer::kVisibilityCount; ++i) {
        visible.push_back(layer.IsVisible(i));
    }
    Json elements = Json::array();
    for (const auto& piece : layer.GetPieces()) {
        elements.push_back(CElementRecordJson::FromPiece(*piece));
    }
    Json out{{"index", layer.GetIndex()},
             {"direction", layer.GetDirection()},
             {"visible", visible},
             {"style", StyleJson(layer.GetStyle())}};
    out["leftBorder"] = layer.GetLeftBorder() ? CElementRecordJson::FromPiece(*layer.GetLeftBorder()) : Json();
    out["rightBorder"] = layer.GetRightBorder() ? CElementRecordJson::FromPiece(*layer.GetRightBorder()) : Json();
    out["elements"] = elements;
    return out;
}

Json CDocumentJson::FromProgram(const CProgram& program) {
    Json commands = Json::array();
    for (const auto& c : program.GetCommands()) {
        commands.push_back(CommandJson(*c));
    }
    return Json{{"name", Text(program.GetName())},   {"note", Text(program.GetNote())},
                {"number", program.GetNumber()},     {"index", program.GetIndex()},
                {"post", Text(program.GetPostName())}, {"commands", commands}};
}

Json CDocumentJson::FromDocument(const CKestrovelDoc& doc, const CProgramList* programs) {
    const CRect rc = doc.GetSourceRect();
    Json layers = Json::array();
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        layers.push_back(FromLayer(*doc.GetLayer(i)));
    }
    Json out{{"source", Json::array({rc.left, rc.top, rc.right, rc.bottom})},
             {"shape", doc.GetShape()},
             {"accuracy", doc.GetAccuracy()},
             {"units", doc.GetUnit()},
             {"activeLayer", doc.GetActiveLayerIndex()},
             {"layers", layers}};
    const CProgram* active = programs ? programs->GetActiveProgram() : nullptr;
    out["activeProgram"] = active ? active->GetIndex() : -1;
    Json list = Json::array();
    if (programs) {
        for (const auto& p : programs->GetPrograms()) {
            list.push_back(FromProgram(*p));
        }
    }
    out["programs"] = list;
    return out;
}
