// CElementRecordJson: an element's archive record decoded into the dump's JSON object.
#pragma once

#include <nlohmann/json.hpp>

class CArchive;
class CPiece;

// The dump shows exactly what a file holds, so an element is described by decoding the record
// its own Serialize writes, field by field in the record's layout, rather than by asking the
// element kind by kind.
class CElementRecordJson {
public:
    using Json = nlohmann::ordered_json;

    // The record of the element as it would be saved.
    static Json FromPiece(const CPiece& piece);
    // Reads one record from its kind tag on. An unknown tag or a record that ends early gives
    // an object with "kind" and "error" and leaves the archive failed.
    static Json Read(CArchive& ar);
};
