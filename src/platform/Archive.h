// The archive seam: the little-endian binary stream of the document file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

// A stream that is either storing (writing into a byte buffer) or loading (reading from one).
// A failed read is sticky: every later read returns 0 or an empty string, and Failed() stays
// true with the first error's message and byte offset.
class CArchive {
public:
    // A storing archive over an empty buffer.
    CArchive();
    // A loading archive over the given bytes.
    explicit CArchive(std::vector<uint8_t> bytes);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    void WriteInt(int32_t v);
    void WriteDword(uint32_t v);
    void WriteDouble(double v);
    void WritePoint(const CPoint& p);
    void WriteRect(const CRect& r);
    // Length prefix: one byte n below 255; else 0xFF and a 16-bit n below 0xFFFE; else 0xFF,
    // 0xFFFF and a 32-bit n. Then the n bytes.
    void WriteString(const std::string& s);

    int32_t ReadInt();
    // A model coordinate or length: an int within the rounding limit, else the stream fails.
    int32_t ReadCoordinate();
    uint32_t ReadDword();
    double ReadDouble();
    // Points and rectangles hold coordinates and are checked as ReadCoordinate does.
    CPoint ReadPoint();
    CRect ReadRect();
    std::string ReadString();

    // Serialize helpers: write the value when storing, read into it when loading.
    void Int(int32_t& v) { m_bStoring ? WriteInt(v) : void(v = ReadInt()); }
    void Coordinate(int32_t& v) { m_bStoring ? WriteInt(v) : void(v = ReadCoordinate()); }
    void Dword(uint32_t& v) { m_bStoring ? WriteDword(v) : void(v = ReadDword()); }
    void Double(double& v) { m_bStoring ? WriteDouble(v) : void(v = ReadDouble()); }
    void Point(CPoint& v) { m_bStoring ? WritePoint(v) : void(v = ReadPoint()); }
    void Rect(CRect& v) { m_bStoring ? WriteRect(v) : void(v = ReadRect()); }
    void String(std::string& v) { m_bStoring ? WriteString(v) : void(v = ReadString()); }

    bool Failed() const { return m_bFailed; }
    const std::string& GetError() const { return m_strError; }
    // Marks the stream failed (the first error wins) at the given byte, or at the next byte to read.
    void Fail(const std::string& message) { Fail(message, GetOffset()); }
    void Fail(const std::string& message, size_t offset);
    // Where the first error lies: the start of the value or record found wrong.
    size_t GetFailOffset() const { return m_nFailOffset; }
    // Offset of the next byte to read, or the number of bytes written.
    size_t GetOffset() const { return m_bStoring ? m_bytes.size() : m_nPos; }
    size_t GetRemaining() const { return m_bStoring ? 0 : m_bytes.size() - m_nPos; }
    bool AtEnd() const { return GetRemaining() == 0; }
    const std::vector<uint8_t>& GetBytes() const { return m_bytes; }

private:
    bool Take(size_t n, const char* what);
    uint32_t ReadU32(const char* what);
    void PutU32(uint32_t v);

    bool m_bStoring;
    std::vector<uint8_t> m_bytes;
    size_t m_nPos = 0;
    bool m_bFailed = false;
    std::string m_strError;
    size_t m_nFailOffset = 0;
};

// Whole-file helpers. WriteFileAtomic saves through CSafeFileWriter: readers see the old or the new
// content, never a mix; on failure error says why and errno holds the cause.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
bool WriteFileAtomic(const std::string& path, const std::string& text, std::string& error);
