// CDocumentJson: the whole document, every persisted field, as the dump's JSON object.
#pragma once

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

class CKestrovelDoc;
class CLayer;
class CProgram;
class CProgramList;

class CDocumentJson {
public:
    using Json = nlohmann::ordered_json;

    // The document as one tree; Write gives the same text as its two-space dump.
    static Json FromDocument(const CKestrovelDoc& doc, const CProgramList* programs);
    // The document's dump written to out as it is walked, one element at a time, so that a large
    // drawing never stands in memory as text or tree. False when a write failed.
    static bool Write(const CKestrovelDoc& doc, const CProgramList* programs, std::FILE* out);
    static Json FromLayer(const CLayer& layer);
    static Json FromProgram(const CProgram& program);
    // The file's 8-bit text as a JSON string: kept when it is valid UTF-8, else read as Latin-1,
    // so that every stored byte stays visible.
    static std::string Text(const std::string& bytes);
};
