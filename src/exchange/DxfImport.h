// CDxfImport: a DXF drawing's profile read, reported and inserted into one layer of a document.
#pragma once

#include <string>
#include <vector>

#include "exchange/ProfileExtraction.h"

class CKestrovelDoc;
class CMessages;

struct CDxfImportOptions {
    std::string strDxfLayer;        // empty: every layer of the drawing
    std::string strUnits = "auto";  // "mm", "cm", "inch" or "auto" ($INSUNITS, else mm)
    CPoint ptOrigin;                // model units: the drawing point that becomes Z = 0, X = 0
};

// What an insertion did with the pieces: taken whole or cut to the drawing's length, or left out
// (wholly outside the length, or nothing of them left after the cut).
struct CDxfApplyCounts {
    int nLines = 0;
    int nArcs = 0;
    int nClipped = 0;
    int nOutside = 0;
    // The report of an import: what was taken into the layer, what the extraction left out
    // (from result) and what the drawing's length cut or left out.
    std::vector<std::string> ReportLines(const CImportResult& result) const;
};

class CDxfImport {
public:
    // Millimetres per drawing unit for a $INSUNITS code; 0 for codes that name no length.
    static double ScaleOfInsUnits(int code);
    // Millimetres per unit for the option ("auto" takes insUnits, and mm when it says nothing);
    // 0 for an unknown name.
    static double ScaleOf(const std::string& units, int insUnits);

    // Reads and extracts; false with error when the file cannot be read. The result's pieces
    // may be empty (nothing above the axis), which is not an error of reading.
    bool Load(const std::string& bytes, const CDxfImportOptions& options, CImportResult& result,
              std::string& error) const;
    bool LoadFile(const std::string& path, const CDxfImportOptions& options, CImportResult& result,
                  std::string& error) const;
    // The DXF layer names of a file, for a choice list; empty when it cannot be read.
    static std::vector<std::string> LayerNames(const std::string& path);

    // Inserts the pieces into layer index (0...5) through the layer's own insertion, cut to the
    // drawing's length, and records one undo step for that layer. Returns the number inserted;
    // with none the document is left as it was. counts, when given, receives what was done.
    static int Apply(CKestrovelDoc& doc, int index, const CImportResult& result, CMessages* messages,
                     CDxfApplyCounts* counts = nullptr);
};
