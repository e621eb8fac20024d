// Reading the text tags that separate the records of a document file.
#pragma once

#include <cstddef>
#include <string>

class CArchive;

// The text for a message: bytes outside printable ASCII, and the backslash, as \xNN escapes, so
// a damaged tag never puts control bytes or broken characters on a terminal.
std::string EscapeForMessage(const std::string& text);
// Fails the archive with a message naming the tag and the byte offset where it starts.
void FailUnexpectedTag(CArchive& ar, const std::string& tag, size_t offset);
// Reads a tag and fails the archive unless it is the expected one; false on any failure.
bool ReadExpectedTag(CArchive& ar, const std::string& expected);
// In a list of records closed by an end tag: true when the next tag opens another record, false
// at the end tag or on failure (an unexpected tag fails the archive, naming it and its offset).
bool ReadRecordTag(CArchive& ar, const std::string& record, const std::string& end);
