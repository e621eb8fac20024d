// CJsonStream: JSON written piece by piece to a file, laid out as the library's two-space dump.
#pragma once

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// Large documents are written as they are walked instead of as one tree in memory. The text is
// the same, byte for byte, as dumping the whole tree with an indent of two: values given whole
// (Value) are laid out by the same rules, their numbers and strings written by the library.
class CJsonStream {
public:
    using Json = nlohmann::ordered_json;

    explicit CJsonStream(std::FILE* out) : m_pOut(out) {}
    ~CJsonStream();
    CJsonStream(const CJsonStream&) = delete;
    CJsonStream& operator=(const CJsonStream&) = delete;

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The key of the next member of the open object.
    void Key(const std::string& key);
    void Value(const Json& value);

    // Writes what is buffered; false when any write failed.
    bool Flush();

private:
    struct CLevel {
        bool bObject = false;
        bool bEmpty = true;
    };

    // Starts the next item of the open array or object (comma, line break, indent).
    void NextItem();
    void Indent();
    // A string in the library's escaping.
    void String(const std::string& text);
    void Put(const char* text, size_t size);
    void Put(const std::string& text) { Put(text.data(), text.size()); }
    void Put(char c);

    std::FILE* m_pOut;
    std::vector<CLevel> m_levels;
    bool m_bAfterKey = false;
    bool m_bFailed = false;
    std::string m_strBuffer;
};
