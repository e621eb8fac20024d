// CExpectedStream: document-file bytes spelled out by hand, independent of the archive code.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class CExpectedStream {
public:
    CExpectedStream& Int(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    CExpectedStream& Dword(uint32_t v) { return U32(v); }
    CExpectedStream& Point(int32_t x, int32_t y) { return Int(x).Int(y); }
    CExpectedStream& Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return Int(l).Int(t).Int(r).Int(b); }
    CExpectedStream& Double(double d) {
        uint64_t bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        return U32(static_cast<uint32_t>(bits)).U32(static_cast<uint32_t>(bits >> 32));
    }
    // Short strings only (below 255 bytes): one length byte and the text.
    CExpectedStream& Str(const std::string& s) {
        m_bytes.push_back(static_cast<uint8_t>(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    CExpectedStream& Bytes(const std::vector<uint8_t>& b) {
        m_bytes.insert(m_bytes.end(), b.begin(), b.end());
        return *this;
    }
    // L4 (end Z, end X, start Z, start X lock), then C1 and C2.
    CExpectedStream& Locks(int endZ, int endX, int startZ, int startX) {
        return Int(endZ).Int(endX).Int(startZ).Int(startX);
    }
    CExpectedStream& Common(int32_t leave, int32_t feed, int32_t speed, int32_t number) {
        return Int(leave).Int(feed).Int(speed).Int(number);
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    CExpectedStream& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            m_bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
        }
        return *this;
    }
    std::vector<uint8_t> m_bytes;
};

// The first index at which two byte strings differ, for readable failures.
inline std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) {
            return "first difference at byte " + std::to_string(i);
        }
    }
    return a.size() == b.size() ? "equal" : "lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size());
}
