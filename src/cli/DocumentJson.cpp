// The dump of documents, layers and programs; elements are decoded from their records.
#include "cli/DocumentJson.h"

#include "cli/ElementRecordJson.h"
#include "cli/JsonStream.h"
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

Json VisibleJson(const CLayer& layer) {
    Json visible = Json::array();
    for (int i = 0; i < CLayer::kVisibilityCount; ++i) {
        visible.push_back(layer.IsVisible(i));
    }
    return visible;
}

Json BorderJson(const CPiece* border) {
    return border ? CElementRecordJson::FromPiece(*border) : Json();
}

void WriteLayer(CJsonStream& out, const CLayer& layer) {
    out.BeginObject();
    out.Key("index");
    out.Value(layer.GetIndex());
    out.Key("direction");
    out.Value(layer.GetDirection());
    out.Key("visible");
    out.Value(VisibleJson(layer));
    out.Key("style");
    out.Value(StyleJson(layer.GetStyle()));
    out.Key("leftBorder");
    out.Value(BorderJson(layer.GetLeftBorder()));
    out.Key("rightBorder");
    out.Value(BorderJson(layer.GetRightBorder()));
    out.Key("elements");
    out.BeginArray();
    for (const auto& piece : layer.GetPieces()) {
        out.Value(CElementRecordJson::FromPiece(*piece));
    }
    out.EndArray();
    out.EndObject();
}

Json SourceJson(const CKestrovelDoc& doc) {
    const CRect rc = doc.GetSourceRect();
    return Json::array({rc.left, rc.top, rc.right, rc.bottom});
}

int ActiveProgramIndex(const CProgramList* programs) {
    const CProgram* active = programs ? programs->GetActiveProgram() : nullptr;
    return active ? active->GetIndex() : -1;
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
    Json elements = Json::array();
    for (const auto& piece : layer.GetPieces()) {
        elements.push_back(CElementRecordJson::FromPiece(*piece));
    }
    Json out{{"index", layer.GetIndex()},
             {"direction", layer.GetDirection()},
             {"visible", VisibleJson(layer)},
             {"style", StyleJson(layer.GetStyle())}};
    out["leftBorder"] = BorderJson(layer.GetLeftBorder());
    out["rightBorder"] = BorderJson(layer.GetRightBorder());
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
    Json layers = Json::array();
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        layers.push_back(FromLayer(*doc.GetLayer(i)));
    }
    Json out{{"source", SourceJson(doc)},
             {"shape", doc.GetShape()},
             {"accuracy", doc.GetAccuracy()},
             {"units", doc.GetUnit()},
             {"activeLayer", doc.GetActiveLayerIndex()},
             {"layers", layers}};
    out["activeProgram"] = ActiveProgramIndex(programs);
    Json list = Json::array();
    if (programs) {
        for (const auto& p : programs->GetPrograms()) {
            list.push_back(FromProgram(*p));
        }
    }
    out["programs"] = list;
    return out;
}

bool CDocumentJson::Write(const CKestrovelDoc& doc, const CProgramList* programs, std::FILE* file) {
    CJsonStream out(file);
    out.BeginObject();
    out.Key("source");
    out.Value(SourceJson(doc));
    out.Key("shape");
    out.Value(doc.GetShape());
    out.Key("accuracy");
    out.Value(doc.GetAccuracy());
    out.Key("units");
    out.Value(doc.GetUnit());
    out.Key("activeLayer");
    out.Value(doc.GetActiveLayerIndex());
    out.Key("layers");
    out.BeginArray();
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        WriteLayer(out, *doc.GetLayer(i));
    }
    out.EndArray();
    out.Key("activeProgram");
    out.Value(ActiveProgramIndex(programs));
    out.Key("programs");
    out.BeginArray();
    if (programs) {
        for (const auto& p : programs->GetPrograms()) {
            out.Value(FromProgram(*p));
        }
    }
    out.EndArray();
    out.EndObject();
    return out.Flush();
}
