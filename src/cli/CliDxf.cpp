// The "import-dxf" and "export-dxf" commands.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "document/KestrovelDoc.h"
#include "exchange/DxfExport.h"
#include "exchange/DxfImport.h"

namespace {

// Exactly count decimals separated by commas, and nothing else.
bool ParseNumbers(const std::string& text, size_t count, std::vector<double>& values) {
    values.clear();
    size_t at = 0;
    while (true) {
        const size_t comma = text.find(',', at);
        const std::string item = text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        char* end = nullptr;
        const double value = std::strtod(item.c_str(), &end);
        if (item.empty() || end != item.c_str() + item.size() || !std::isfinite(value) ||
            std::fabs(value) > 1e12) {
            return false;
        }
        values.push_back(value);
        if (comma == std::string::npos) {
            return values.size() == count;
        }
        at = comma + 1;
    }
}

int ListLayers(const std::string& path) {
    std::vector<CDxfLayerEntry> layers;
    std::string error;
    if (!CDxfImport::ListLayers(path, layers, error)) {
        return CCliDocument::Fail(path + ": " + error);
    }
    for (const CDxfLayerEntry& layer : layers) {
        std::printf("%s\t%d %s\t%s\n", layer.m_strName.c_str(), layer.m_nEntities,
                    layer.m_nEntities == 1 ? "entity" : "entities", layer.m_strLinetype.c_str());
    }
    return 0;
}

// The command's options as the importer takes them; false (with the message shown) when one is wrong.
bool ImportOptions(const CImportDxfOptions& options, CDxfImportOptions& import) {
    import.dxfLayers = options.dxfLayers;
    import.strUnits = options.strUnits;
    import.bFlip = options.bFlip;
    std::vector<double> v;
    if (!options.strOrigin.empty()) {
        if (!ParseNumbers(options.strOrigin, 2, v)) {
            CCliDocument::Fail("--origin wants X,Y of the drawing in mm, e.g. --origin=-120,0");
            return false;
        }
        import.bOrigin = true;
        import.origin = {v[0], v[1]};
    }
    if (options.strAxis != "auto") {
        if (!ParseNumbers(options.strAxis, 4, v) || (v[0] == v[2] && v[1] == v[3])) {
            CCliDocument::Fail("--axis wants auto or X1,Y1,X2,Y2 (two different points in drawing units)");
            return false;
        }
        import.bAxis = true;
        import.axisFrom = {v[0], v[1]};
        import.axisTo = {v[2], v[3]};
    }
    if (!options.strWindow.empty()) {
        if (!ParseNumbers(options.strWindow, 4, v)) {
            CCliDocument::Fail("--window wants X1,Y1,X2,Y2 in drawing units");
            return false;
        }
        import.bWindow = true;
        import.windowFrom = {v[0], v[1]};
        import.windowTo = {v[2], v[3]};
    }
    return true;
}

}  // namespace

int RunImportDxf(const CImportDxfOptions& options) {
    if (options.bListLayers) {
        return ListLayers(options.strDxf.empty() ? options.strFile : options.strDxf);
    }
    if (options.strDxf.empty()) {
        return CCliDocument::Fail("import-dxf wants the drawing file and the DXF file");
    }
    CDxfImportOptions import;
    if (!ImportOptions(options, import)) {
        return 1;
    }
    CImportResult result;
    std::string error;
    if (!CDxfImport().LoadFile(options.strDxf, import, result, error)) {
        return CCliDocument::Fail(options.strDxf + ": " + error + "; the drawing is unchanged");
    }
    CCliDocument document;
    if (!document.Open(options.strFile)) {
        return 1;
    }
    // The report counts what entered the layer, after the cut to the drawing's length.
    std::string why;
    CDxfApplyCounts counts;
    const bool taken = !result.m_pieces.empty() &&
                       CDxfImport::Apply(document.GetDoc(), options.nLayer - 1, result, &document.GetMessages(),
                                         false, &why, &counts) > 0;
    if (!taken) {
        // The report says why instead of what would have been taken.
        if (!result.m_pieces.empty()) {
            result.m_pieces.clear();
            result.m_strReason = why;
        }
        for (const std::string& line : result.ReportLines()) {
            std::printf("%s\n", line.c_str());
        }
        return CCliDocument::Fail(options.strDxf + ": " + result.m_strReason + "; the drawing is unchanged");
    }
    for (const std::string& line : counts.ReportLines(result)) {
        std::printf("%s\n", line.c_str());
    }
    return document.Save() ? 0 : 1;
}

int RunExportDxf(const CExportDxfOptions& options) {
    CCliDocument document;
    if (!document.Open(options.strFile)) {
        return 1;
    }
    std::string error;
    if (!CDxfExport::Write(CDxfExport::Collect(document.GetDoc(), options.bMirrored), options.strDxf,
                           error)) {
        return CCliDocument::Fail(error);
    }
    return 0;
}
