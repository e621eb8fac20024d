// The byte-buffer archive and the atomic file helpers.
#include "platform/Archive.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/SafeFileWriter.h"

CArchive::CArchive() : m_bStoring(true) {}

CArchive::CArchive(std::vector<uint8_t> bytes) : m_bStoring(false), m_bytes(std::move(bytes)) {}

void CArchive::Fail(const std::string& message, size_t offset) {
    if (!m_bFailed) {
        m_bFailed = true;
        m_strError = message;
        m_nFailOffset = offset;
    }
}

void CArchive::PutU32(uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        m_bytes.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
    }
}

void CArchive::WriteInt(int32_t v) { PutU32(static_cast<uint32_t>(v)); }
void CArchive::WriteDword(uint32_t v) { PutU32(v); }

void CArchive::WriteDouble(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    PutU32(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    PutU32(static_cast<uint32_t>(bits >> 32));
}

void CArchive::WritePoint(const CPoint& p) {
    WriteInt(p.x);
    WriteInt(p.y);
}

void CArchive::WriteRect(const CRect& r) {
    WriteInt(r.left);
    WriteInt(r.top);
    WriteInt(r.right);
    WriteInt(r.bottom);
}

void CArchive::WriteString(const std::string& s) {
    const size_t n = s.size();
    if (n > 0xFFFFFFFFu) {
        // The widest length prefix holds 32 bits; a longer text cannot be stored faithfully.
        Fail("string of " + std::to_string(n) + " bytes is too long for the archive");
        return;
    }
    if (n < 0xFF) {
        m_bytes.push_back(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        m_bytes.push_back(0xFF);
        m_bytes.push_back(static_cast<uint8_t>(n & 0xFF));
        m_bytes.push_back(static_cast<uint8_t>(n >> 8));
    } else {
        m_bytes.push_back(0xFF);
        m_bytes.push_back(0xFF);
        m_bytes.push_back(0xFF);
        PutU32(static_cast<uint32_t>(n));
    }
    m_bytes.insert(m_bytes.end(), s.begin(), s.end());
}

bool CArchive::Take(size_t n, const char* what) {
    if (m_bFailed) {
        return false;
    }
    if (m_bStoring) {
        Fail("read from a storing archive");
        return false;
    }
    if (m_bytes.size() - m_nPos < n) {
        Fail(std::string("unexpected end of file reading ") + what + " at byte " + std::to_string(m_nPos));
        return false;
    }
    return true;
}

uint32_t CArchive::ReadU32(const char* what) {
    if (!Take(4, what)) {
        return 0;
    }
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<uint32_t>(m_bytes[m_nPos + static_cast<size_t>(i)]) << (8 * i);
    }
    m_nPos += 4;
    return v;
}

int32_t CArchive::ReadInt() { return static_cast<int32_t>(ReadU32("an integer")); }
uint32_t CArchive::ReadDword() { return ReadU32("a dword"); }

double CArchive::ReadDouble() {
    if (!Take(8, "a double")) {
        return 0.0;
    }
    const uint64_t lo = ReadU32("a double");
    const uint64_t hi = ReadU32("a double");
    const uint64_t bits = lo | (hi << 32);
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

int32_t CArchive::ReadCoordinate() {
    const size_t offset = m_nPos;
    const int32_t v = ReadInt();
    // Nothing the rounding function makes lies beyond its limit; such a number is damage, and
    // later arithmetic on it (shifts, lengths, differences) would overflow.
    if (!m_bFailed && (v > kRoundLimit || v < -kRoundLimit)) {
        Fail("coordinate " + std::to_string(v) + " out of range at byte " + std::to_string(offset), offset);
        return 0;
    }
    return v;
}

CPoint CArchive::ReadPoint() {
    if (!Take(8, "a point")) {
        return {};
    }
    CPoint p;
    p.x = ReadCoordinate();
    p.y = ReadCoordinate();
    return p;
}

CRect CArchive::ReadRect() {
    if (!Take(16, "a rectangle")) {
        return {};
    }
    CRect r;
    r.left = ReadCoordinate();
    r.top = ReadCoordinate();
    r.right = ReadCoordinate();
    r.bottom = ReadCoordinate();
    return r;
}

std::string CArchive::ReadString() {
    const size_t start = m_nPos;
    if (!Take(1, "a string length")) {
        return {};
    }
    size_t n = m_bytes[m_nPos++];
    if (n == 0xFF) {
        if (!Take(2, "a string length")) {
            return {};
        }
        n = static_cast<size_t>(m_bytes[m_nPos]) | (static_cast<size_t>(m_bytes[m_nPos + 1]) << 8);
        m_nPos += 2;
        if (n == 0xFFFE) {
            // Marks a wide-character string, which this stream never holds.
            Fail("unsupported string marker at byte " + std::to_string(start), start);
            return {};
        }
        if (n == 0xFFFF) {
            n = ReadU32("a string length");
            if (m_bFailed) {
                return {};
            }
        }
    }
    if (m_bytes.size() - m_nPos < n) {
        Fail("string of " + std::to_string(n) + " bytes at byte " + std::to_string(start) +
             " runs past the end of the file",
             start);
        return {};
    }
    std::string s(reinterpret_cast<const char*>(m_bytes.data() + m_nPos), n);
    m_nPos += n;
    return s;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    bytes.clear();
    uint8_t buf[65536];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        bytes.insert(bytes.end(), buf, buf + n);
    }
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    return CSafeFileWriter::Write(path, bytes.data(), bytes.size(), error);
}

bool WriteFileAtomic(const std::string& path, const std::string& text, std::string& error) {
    return WriteFileAtomic(path, std::vector<uint8_t>(text.begin(), text.end()), error);
}
