// The "import-dxf" and "export-dxf" commands.
#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "document/KestrovelDoc.h"
#include "exchange/DxfExport.h"
#include "exchange/DxfImport.h"

namespace {

// "Z,X" in model units.
bool ParseOrigin(const std::string& text, CPoint& origin) {
    if (text.empty()) {
        return true;
    }
    long long z = 0, x = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%lld,%lld%c", &z, &x, &tail) != 2 || z < -2000000000 || z > 2000000000 ||
        x < -2000000000 || x > 2000000000) {
        return false;
    }
    origin = CPoint{static_cast<int32_t>(z), static_cast<int32_t>(x)};
    return true;
}

}  // namespace

int RunImportDxf(const CImportDxfOptions& options) {
    CDxfImportOptions import;
    import.strDxfLayer = options.strDxfLayer;
    import.strUnits = options.strUnits;
    if (!ParseOrigin(options.strOrigin, import.ptOrigin)) {
        return CCliDocument::Fail("--origin wants Z,X in model units, e.g. 0,0");
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
    CDxfApplyCounts counts;
    const int taken = CDxfImport::Apply(document.GetDoc(), options.nLayer - 1, result,
                                        &document.GetMessages(), &counts);
    for (const std::string& line : counts.ReportLines(result)) {
        std::printf("%s\n", line.c_str());
    }
    if (taken == 0) {
        return CCliDocument::Fail("nothing in " + options.strDxf +
                                  " could be taken into the layer; the drawing is unchanged");
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
