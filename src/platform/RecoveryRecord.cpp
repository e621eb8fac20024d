// Encoding and decoding of recovery records: a format line and length-prefixed fields.
#include "platform/RecoveryRecord.h"

#include <cstring>

namespace {

const char kMagic[] = "KESTROVEL RECOVERY 1\n";
// Longest length prefix read; ten digits reach beyond any file this program writes.
constexpr size_t kMaxDigits = 10;

void Put(std::vector<uint8_t>& out, const std::string& key, const uint8_t* data, size_t size) {
    const std::string head = key + " " + std::to_string(size) + ":";
    out.insert(out.end(), head.begin(), head.end());
    out.insert(out.end(), data, data + size);
    out.push_back('\n');
}

void Put(std::vector<uint8_t>& out, const std::string& key, const std::string& value) {
    Put(out, key, reinterpret_cast<const uint8_t*>(value.data()), value.size());
}

class CReader {
public:
    explicit CReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
    bool AtEnd() const { return m_nPos == m_bytes.size(); }
    size_t Offset() const { return m_nPos; }
    // One field; false with error at the first byte that does not fit.
    bool Field(std::string& key, size_t& begin, size_t& size, std::string& error) {
        key.clear();
        while (m_nPos < m_bytes.size() && m_bytes[m_nPos] != ' ' && key.size() < 64) {
            key.push_back(static_cast<char>(m_bytes[m_nPos++]));
        }
        if (m_nPos >= m_bytes.size() || m_bytes[m_nPos] != ' ' || key.empty()) {
            return Bad("a field name", error);
        }
        ++m_nPos;
        size = 0;
        size_t digits = 0;
        while (m_nPos < m_bytes.size() && m_bytes[m_nPos] >= '0' && m_bytes[m_nPos] <= '9') {
            if (++digits > kMaxDigits) {
                return Bad("a field length", error);
            }
            size = size * 10 + static_cast<size_t>(m_bytes[m_nPos++] - '0');
        }
        if (digits == 0 || m_nPos >= m_bytes.size() || m_bytes[m_nPos] != ':') {
            return Bad("a field length", error);
        }
        ++m_nPos;
        if (size >= m_bytes.size() - m_nPos || m_bytes[m_nPos + size] != '\n') {
            error = "the field \"" + key + "\" runs past the end of the file";
            return false;
        }
        begin = m_nPos;
        m_nPos += size + 1;
        return true;
    }

private:
    bool Bad(const char* what, std::string& error) const {
        error = std::string("expected ") + what + " at byte " + std::to_string(m_nPos);
        return false;
    }
    const std::vector<uint8_t>& m_bytes;
    size_t m_nPos = sizeof kMagic - 1;
};

}  // namespace

std::vector<uint8_t> CRecoveryRecord::Encode() const {
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic - 1);
    out.reserve(document.size() + strOriginalPath.size() + strTitle.size() + 128);
    Put(out, "path", strOriginalPath);
    Put(out, "title", strTitle);
    Put(out, "time", std::to_string(nSavedAt));
    Put(out, "document", document.data(), document.size());
    return out;
}

bool CRecoveryRecord::Decode(const std::vector<uint8_t>& bytes, CRecoveryRecord& record, std::string& error) {
    const size_t magic = sizeof kMagic - 1;
    if (bytes.size() < magic || std::memcmp(bytes.data(), kMagic, magic) != 0) {
        error = "not a recovery file";
        return false;
    }
    record = CRecoveryRecord();
    bool hasDocument = false;
    CReader reader(bytes);
    while (!reader.AtEnd()) {
        std::string key;
        size_t begin = 0;
        size_t size = 0;
        if (!reader.Field(key, begin, size, error)) {
            return false;
        }
        const auto* data = bytes.data() + begin;
        if (key == "document") {
            record.document.assign(data, data + size);
            hasDocument = true;
            continue;
        }
        const std::string text(reinterpret_cast<const char*>(data), size);
        if (key == "path") {
            record.strOriginalPath = text;
        } else if (key == "title") {
            record.strTitle = text;
        } else if (key == "time") {
            int64_t t = 0;
            for (char c : text) {
                if (c < '0' || c > '9' || t > (INT64_MAX - 9) / 10) {
                    error = "the time \"" + text + "\" is not a number of seconds";
                    return false;
                }
                t = t * 10 + (c - '0');
            }
            record.nSavedAt = t;
        }
    }
    if (!hasDocument) {
        error = "the recovery file holds no document";
        return false;
    }
    return true;
}
