// Decoding of element records by their stored layouts into the dump's element objects.
#include "cli/ElementRecordJson.h"

#include <string>
#include <vector>

#include "document/ArchiveTags.h"
#include "elements/Piece.h"
#include "platform/Archive.h"

namespace {

using Json = CElementRecordJson::Json;

enum class FieldType { Int, Point, Double, Tag, Locks, Common, Ends };

struct CField {
    FieldType type;
    const char* pszName;
};

// A dump key made from one decoded field, or from two doubles as a [z, x] pair.
struct COutput {
    const char* pszKey;
    const char* pszFirst;
    const char* pszSecond = nullptr;
};

struct CRecordLayout {
    const char* pszTag;
    const char* pszKind;
    std::vector<CField> fields;
    std::vector<COutput> extras;
};

const std::vector<CRecordLayout>& Layouts() {
    using F = FieldType;
    static const std::vector<CRecordLayout> layouts = {
        {"LINEAR", "line", {{F::Tag, ""}, {F::Locks, ""}, {F::Common, ""}, {F::Ends, ""}, {F::Tag, ""}}, {}},
        {"BORDER",
         "border",
         {{F::Tag, ""}, {F::Int, "left"}, {F::Locks, ""}, {F::Common, ""}, {F::Ends, ""}, {F::Tag, ""}},
         {{"left", "left"}}},
        {"ARC",
         "arc",
         {{F::Tag, ""},
          {F::Locks, ""},
          {F::Int, "lockCenterX"},
          {F::Int, "lockCenterY"},
          {F::Int, "lockRadius"},
          {F::Int, "ccw"},
          {F::Common, ""},
          {F::Ends, ""},
          {F::Point, "center"},
          {F::Point, "mid"},
          {F::Int, "radius"},
          {F::Double, "dRadius"},
          {F::Double, "dCenterX"},
          {F::Double, "dCenterY"},
          {F::Tag, ""}},
         {{"center", "center"},
          {"mid", "mid"},
          {"radius", "radius"},
          {"dRadius", "dRadius"},
          {"dCenterX", "dCenterX"},
          {"dCenterY", "dCenterY"},
          {"ccw", "ccw"},
          {"lockCenterX", "lockCenterX"},
          {"lockCenterY", "lockCenterY"},
          {"lockRadius", "lockRadius"}}},
        {"DOUBLEARC",
         "doublearc",
         {{F::Tag, ""},
          {F::Locks, ""},
          {F::Int, "lockJunctionZ"},
          {F::Int, "lockJunctionX"},
          {F::Int, "lockDirection"},
          {F::Int, "upper1"},
          {F::Int, "upper2"},
          {F::Common, ""},
          {F::Ends, ""},
          {F::Double, "radius1"},
          {F::Double, "center1Z"},
          {F::Double, "center1X"},
          {F::Double, "radius2"},
          {F::Double, "center2Z"},
          {F::Double, "center2X"},
          {F::Point, "direction"},
          {F::Point, "junction"},
          {F::Tag, ""}},
         {{"junction", "junction"},
          {"direction", "direction"},
          {"radius1", "radius1"},
          {"center1", "center1Z", "center1X"},
          {"upper1", "upper1"},
          {"radius2", "radius2"},
          {"center2", "center2Z", "center2X"},
          {"upper2", "upper2"},
          {"lockJunctionZ", "lockJunctionZ"},
          {"lockJunctionX", "lockJunctionX"},
          {"lockDirection", "lockDirection"}}},
        {"SELECTION",
         "selection",
         {{F::Tag, ""}, {F::Locks, ""}, {F::Common, ""}, {F::Ends, ""}, {F::Tag, ""}},
         {}},
    };
    return layouts;
}

const CRecordLayout* FindLayout(const std::string& tag) {
    for (const CRecordLayout& layout : Layouts()) {
        if (tag == layout.pszTag) {
            return &layout;
        }
    }
    return nullptr;
}

Json PointJson(const CPoint& p) { return Json::array({p.x, p.y}); }

// Reads one field (or one of the shared groups) into the flat record.
void ReadField(CArchive& ar, const CField& field, Json& raw) {
    switch (field.type) {
        case FieldType::Int: raw[field.pszName] = ar.ReadInt(); break;
        case FieldType::Point: raw[field.pszName] = PointJson(ar.ReadPoint()); break;
        case FieldType::Double: raw[field.pszName] = ar.ReadDouble(); break;
        case FieldType::Tag: ar.ReadString(); break;
        case FieldType::Locks: {
            // Stored as end Z, end X, start Z, start X; shown by lock index 0...3.
            const int32_t endZ = ar.ReadInt();
            const int32_t endX = ar.ReadInt();
            const int32_t startZ = ar.ReadInt();
            const int32_t startX = ar.ReadInt();
            raw["locks"] = Json::array({startZ, startX, endZ, endX});
            break;
        }
        case FieldType::Common:
            raw["leave"] = ar.ReadInt();
            raw["feed"] = ar.ReadInt();
            raw["speed"] = ar.ReadInt();
            raw["number"] = ar.ReadInt();
            break;
        case FieldType::Ends:
            raw["start"] = PointJson(ar.ReadPoint());
            raw["end"] = PointJson(ar.ReadPoint());
            break;
    }
}

Json Assemble(const CRecordLayout& layout, const Json& raw) {
    Json out;
    out["kind"] = layout.pszKind;
    for (const char* key : {"number", "start", "end", "locks", "feed", "speed", "leave"}) {
        out[key] = raw[key];
    }
    for (const COutput& extra : layout.extras) {
        out[extra.pszKey] = extra.pszSecond ? Json::array({raw[extra.pszFirst], raw[extra.pszSecond]})
                                            : raw[extra.pszFirst];
    }
    return out;
}

}  // namespace

Json CElementRecordJson::FromPiece(const CPiece& piece) {
    CArchive ar;
    // Storing reads the element and changes nothing in it.
    const_cast<CPiece&>(piece).Serialize(ar);
    CArchive in(ar.GetBytes());
    return Read(in);
}

Json CElementRecordJson::Read(CArchive& ar) {
    const size_t offset = ar.GetOffset();
    const std::string tag = ar.ReadString();
    const CRecordLayout* layout = FindLayout(tag);
    if (!layout) {
        const std::string shown = EscapeForMessage(tag);
        ar.Fail("unknown element tag \"" + shown + "\" at byte " + std::to_string(offset));
        return Json{{"kind", shown}, {"error", ar.GetError()}};
    }
    Json raw = Json::object();
    for (const CField& field : layout->fields) {
        ReadField(ar, field, raw);
    }
    if (ar.Failed()) {
        return Json{{"kind", layout->pszKind}, {"error", ar.GetError()}};
    }
    return Assemble(*layout, raw);
}
