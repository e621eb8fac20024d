// The "new" command: a drawing made by the new-document procedure from the given values.
#include <cmath>
#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "document/DrawingProperties.h"
#include "document/KestrovelDoc.h"
#include "exchange/DxfImport.h"
#include "platform/Geometry.h"

namespace {

// The largest source material the Drawing properties dialog accepts, in model units.
constexpr double kMaxLength = 50000000.0;
constexpr double kMaxBase = 20000000.0;

int UnitIndex(const std::string& units) {
    if (units == "cm") {
        return 0;
    }
    return units == "inch" ? 2 : 1;
}

}  // namespace

int RunNew(const CNewOptions& options) {
    double lengthMm = options.dLengthMm;
    double baseMm = options.dBaseMm;
    CImportResult part;
    if (!options.strFromDxf.empty()) {
        std::string error;
        if (!CDxfImport().LoadFile(options.strFromDxf, {}, part, error)) {
            return CCliDocument::Fail(options.strFromDxf + ": " + error);
        }
        for (const std::string& line : part.ReportLines()) {
            std::printf("%s\n", line.c_str());
        }
        if (!part.PartSize(lengthMm, baseMm)) {
            return CCliDocument::Fail(options.strFromDxf + ": " + part.m_strReason);
        }
        lengthMm += options.dAllowanceMm;
        baseMm += options.dAllowanceMm;
        std::printf("stock: %.3f mm long, %.3f mm base\n", lengthMm, baseMm);
    }
    const double length = lengthMm * 10000.0;
    const double base = baseMm * 10000.0;
    if (!std::isfinite(length) || Round(length) <= 0 || length > kMaxLength) {
        return CCliDocument::Fail("--length must be more than 0 and at most 5000 mm");
    }
    if (!std::isfinite(base) || base < 0.0 || base > kMaxBase) {
        return CCliDocument::Fail("--base must be from 0 to 2000 mm");
    }
    CDrawingProperties values;
    values.nLength = Round(length);
    values.nBase = Round(base);
    values.nShapeType = options.strShape == "cylinder" ? 1 : 0;
    values.nUnits = UnitIndex(options.strUnits);
    values.nAccuracy = options.nAccuracy;
    CAcceptPropertiesPrompt prompt(values);
    CCliDocument document(&prompt);
    if (!document.New()) {
        return 1;
    }
    if (!part.m_pieces.empty()) {
        std::string why;
        if (CDxfImport::Apply(document.GetDoc(), 0, part, &document.GetMessages(), true, &why) == 0) {
            return CCliDocument::Fail(options.strFromDxf + ": " + why);
        }
    }
    if (!document.Save(options.strFile)) {
        return 1;
    }
    return 0;
}
