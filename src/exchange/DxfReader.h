// CDxfReader: reads the lines, arcs, circles, polylines and splines of a text DXF file.
#pragma once

#include <string>
#include <vector>

#include "exchange/DxfSegment.h"

class CDxfReader {
public:
    // Only entities on these layers (compared without case) are taken; empty: every layer.
    explicit CDxfReader(std::vector<std::string> layers = {}) : m_layers(std::move(layers)) {}

    // Reads the DXF text in bytes. False, with a one-line reason in error, when the data is not
    // a complete text DXF file; the content is then empty.
    bool Read(const std::string& bytes, CDxfContent& content, std::string& error) const;
    // The whole file as bytes (refusing files far larger than any drawing).
    static bool LoadBytes(const std::string& path, std::string& bytes, std::string& error);
    // Read for a file.
    bool ReadFile(const std::string& path, CDxfContent& content, std::string& error) const;

    // Layer, block and linetype names are compared without case.
    static bool SameName(const std::string& a, const std::string& b);

private:
    std::vector<std::string> m_layers;
};

