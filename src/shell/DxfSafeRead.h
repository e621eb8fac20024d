// CDxfSafeRead: the editor's reading of DXF files, away from the editor's own process.
#pragma once

#include <string>
#include <vector>

#include "exchange/DxfImport.h"

class QWidget;

// The DXF library is not ours and has crashed and hung on damaged files; the editor reads through
// a child process (CIsolatedRead), so such a file costs a message and never the unsaved drawing.
class CDxfSafeRead {
public:
    // CDxfImport::Read, in a child: the drawing's entities, for mapping again in the editor.
    static bool Read(QWidget* parent, const std::string& path, const CDxfImportOptions& options,
                     CDxfContent& content, std::string& error);
    // CDxfImport::ListLayers, in a child; false with a one-line reason.
    static bool ListLayers(QWidget* parent, const std::string& path, std::vector<CDxfLayerEntry>& layers,
                           std::string& error);
    // CDxfImport::LayerNames, in a child; empty when the file cannot be read.
    static std::vector<std::string> LayerNames(QWidget* parent, const std::string& path);
};
