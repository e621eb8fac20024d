// The DXF readings the editor makes, each in a child process, with their results sent back as bytes.
#include "shell/DxfSafeRead.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "exchange/DxfReader.h"
#include "shell/IsolatedRead.h"

namespace {

// The child's answer: a flag, then the result or the error. Both sides are the same program, so
// plain values travel as their bytes.
class CPacket {
public:
    template <class T>
    void Put(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        m_strBytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void PutText(const std::string& text) {
        Put(text.size());
        m_strBytes += text;
    }
    const std::string& Bytes() const { return m_strBytes; }

private:
    std::string m_strBytes;
};

class CPacketReader {
public:
    explicit CPacketReader(const std::string& bytes) : m_bytes(bytes) {}

    template <class T>
    bool Get(T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (m_bytes.size() - m_nAt < sizeof value) {
            return false;
        }
        std::memcpy(&value, m_bytes.data() + m_nAt, sizeof value);
        m_nAt += sizeof value;
        return true;
    }
    bool GetText(std::string& text) {
        size_t size = 0;
        if (!Get(size) || m_bytes.size() - m_nAt < size) {
            return false;
        }
        text.assign(m_bytes, m_nAt, size);
        m_nAt += size;
        return true;
    }

private:
    const std::string& m_bytes;
    size_t m_nAt = 0;
};

// Every answer opens with its success flag (a failed one carries the reason) and an entry count.
bool ReadAnswerHead(CPacketReader& packet, size_t& count, std::string& error) {
    uint8_t ok = 0;
    if (!packet.Get(ok) || (!ok && !packet.GetText(error))) {
        error = "the reader gave no answer";
        return false;
    }
    if (!ok) {
        return false;
    }
    if (!packet.Get(count)) {
        error = "the reader's answer is cut short";
        return false;
    }
    return true;
}

template <class T>
void PutAll(CPacket& packet, const std::vector<T>& items) {
    packet.Put(items.size());
    for (const T& item : items) {
        packet.Put(item);
    }
}

template <class T>
bool GetAll(CPacketReader& packet, size_t limit, std::vector<T>& items) {
    size_t count = 0;
    if (!packet.Get(count) || count > limit / sizeof(T)) {
        return false;
    }
    items.resize(count);
    return std::all_of(items.begin(), items.end(), [&](T& item) { return packet.Get(item); });
}

void PutCounts(CPacket& packet, const std::vector<std::pair<std::string, int>>& counts) {
    packet.Put(counts.size());
    for (const auto& [kind, count] : counts) {
        packet.PutText(kind);
        packet.Put(count);
    }
}

bool GetCounts(CPacketReader& packet, size_t limit, std::vector<std::pair<std::string, int>>& counts) {
    size_t count = 0;
    if (!packet.Get(count) || count > limit) {
        return false;
    }
    counts.resize(count);
    return std::all_of(counts.begin(), counts.end(),
                       [&](auto& entry) { return packet.GetText(entry.first) && packet.Get(entry.second); });
}

std::string PackContent(bool ok, const CDxfContent& content, const std::string& error) {
    CPacket packet;
    packet.Put(static_cast<uint8_t>(ok ? 1 : 0));
    if (!ok) {
        packet.PutText(error);
        return packet.Bytes();
    }
    packet.Put(size_t{1});
    PutAll(packet, content.m_segments);
    PutAll(packet, content.m_circles);
    PutCounts(packet, content.m_skipped);
    PutCounts(packet, content.m_leftOut);
    packet.Put(content.m_notePlaces.size());
    for (const auto& place : content.m_notePlaces) {
        packet.Put(place.m_bLeftOut);
        packet.PutText(place.m_strKind);
        packet.Put(place.m_min);
        packet.Put(place.m_max);
    }
    packet.Put(content.m_layers.size());
    for (const auto& layer : content.m_layers) {
        packet.PutText(layer.m_strName);
        packet.PutText(layer.m_strLinetype);
        packet.Put(layer.m_nEntities);
    }
    packet.Put(content.m_axisLines.size());
    for (const auto& line : content.m_axisLines) {
        packet.Put(line.m_a);
        packet.Put(line.m_b);
        packet.PutText(line.m_strLayer);
        packet.PutText(line.m_strLinetype);
    }
    packet.Put(content.m_nInsUnits);
    return packet.Bytes();
}

bool UnpackContent(const std::string& bytes, CDxfContent& content, std::string& error) {
    CPacketReader packet(bytes);
    size_t count = 0;
    if (!ReadAnswerHead(packet, count, error)) {
        return false;
    }
    const size_t limit = bytes.size();
    bool ok = GetAll(packet, limit, content.m_segments) && GetAll(packet, limit, content.m_circles) &&
              GetCounts(packet, limit, content.m_skipped) && GetCounts(packet, limit, content.m_leftOut) &&
              packet.Get(count) && count <= limit;
    if (ok) {
        content.m_notePlaces.resize(count);
        for (auto& place : content.m_notePlaces) {
            ok = ok && packet.Get(place.m_bLeftOut) && packet.GetText(place.m_strKind) &&
                 packet.Get(place.m_min) && packet.Get(place.m_max);
        }
    }
    ok = ok && packet.Get(count) && count <= limit;
    if (ok) {
        content.m_layers.resize(count);
        for (auto& layer : content.m_layers) {
            ok = ok && packet.GetText(layer.m_strName) && packet.GetText(layer.m_strLinetype) &&
                 packet.Get(layer.m_nEntities);
        }
    }
    ok = ok && packet.Get(count) && count <= limit;
    if (ok) {
        content.m_axisLines.resize(count);
        for (auto& line : content.m_axisLines) {
            ok = ok && packet.Get(line.m_a) && packet.Get(line.m_b) && packet.GetText(line.m_strLayer) &&
                 packet.GetText(line.m_strLinetype);
        }
    }
    if (!(ok && packet.Get(content.m_nInsUnits))) {
        error = "the reader's answer is cut short";
        return false;
    }
    return true;
}

}  // namespace

bool CDxfSafeRead::Read(QWidget* parent, const std::string& path, const CDxfImportOptions& options,
                        CDxfContent& content, std::string& error) {
    content = CDxfContent{};
    std::string bytes;
    const auto work = [&] {
        CDxfContent read;
        std::string reason;
        std::string data;
        const bool ok =
            CDxfReader::LoadBytes(path, data, reason) && CDxfImport().Read(data, options, read, reason);
        return PackContent(ok, read, reason);
    };
    if (!CIsolatedRead::Run(parent, QString::fromStdString(path), work, bytes, error)) {
        return false;
    }
    if (!UnpackContent(bytes, content, error)) {
        content = CDxfContent{};
        return false;
    }
    return true;
}

std::vector<std::string> CDxfSafeRead::LayerNames(QWidget* parent, const std::string& path) {
    const auto work = [&] {
        CPacket packet;
        const std::vector<std::string> names = CDxfImport::LayerNames(path);
        packet.Put(names.size());
        for (const std::string& name : names) {
            packet.PutText(name);
        }
        return packet.Bytes();
    };
    std::string bytes;
    std::string error;
    std::vector<std::string> names;
    if (!CIsolatedRead::Run(parent, QString::fromStdString(path), work, bytes, error)) {
        return names;
    }
    CPacketReader packet(bytes);
    size_t count = 0;
    std::string name;
    if (packet.Get(count)) {
        while (names.size() < count && packet.GetText(name)) {
            names.push_back(name);
        }
    }
    return names;
}

bool CDxfSafeRead::ListLayers(QWidget* parent, const std::string& path, std::vector<CDxfLayerEntry>& layers,
                              std::string& error) {
    layers.clear();
    const auto work = [&] {
        CPacket packet;
        std::vector<CDxfLayerEntry> read;
        std::string reason;
        const bool ok = CDxfImport::ListLayers(path, read, reason);
        packet.Put(static_cast<uint8_t>(ok ? 1 : 0));
        if (!ok) {
            packet.PutText(reason);
            return packet.Bytes();
        }
        packet.Put(read.size());
        for (const CDxfLayerEntry& layer : read) {
            packet.PutText(layer.m_strName);
            packet.PutText(layer.m_strLinetype);
            packet.Put(layer.m_nEntities);
        }
        return packet.Bytes();
    };
    std::string bytes;
    if (!CIsolatedRead::Run(parent, QString::fromStdString(path), work, bytes, error)) {
        return false;
    }
    CPacketReader packet(bytes);
    size_t count = 0;
    if (!ReadAnswerHead(packet, count, error)) {
        return false;
    }
    CDxfLayerEntry layer;
    while (layers.size() < count) {
        if (!packet.GetText(layer.m_strName) || !packet.GetText(layer.m_strLinetype) ||
            !packet.Get(layer.m_nEntities)) {
            layers.clear();
            error = "the reader's answer is cut short";
            return false;
        }
        layers.push_back(layer);
    }
    return true;
}
