// CDxfImport: a DXF drawing's profile read, reported and inserted into one layer of a document.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/ProfileExtraction.h"
#include "exchange/TurningAxis.h"

class CKestrovelDoc;
class CMessages;

struct CDxfImportOptions {
    std::vector<std::string> dxfLayers;  // empty: every layer of the drawing
    std::string strUnits = "auto";       // "mm", "cm", "inch" or "auto" ($INSUNITS, else mm)
    // The turning axis in drawing units, Z running from the first point towards the second;
    // without it the axis is found in the drawing.
    bool bAxis = false;
    CPlanePoint axisFrom;
    CPlanePoint axisTo;
    bool bFlip = false;  // the part turned end for end
    // The drawing's point (in mm: drawing units times the units' scale) that becomes Z = 0, X = 0,
    // seen along the axis. Without it the part's end nearest the axis's first point goes to Z = 0.
    bool bOrigin = false;
    CPlanePoint origin;
    // Only what lies inside this box of the drawing (drawing units).
    bool bWindow = false;
    CPlanePoint windowFrom;
    CPlanePoint windowTo;
};

// One layer of the drawing for a choice list: its name, linetype and entity count as read.
using CDxfLayerEntry = CDxfContent::CLayerInfo;

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

// Where an import put the drawing: the axis it turned about, millimetres per drawing unit, the
// drawing point (mm, in the axis's frame) that became the origin and the shift that brought the
// part's end to Z 0 (model units), so that the profile can be drawn over the drawing.
struct CDxfPlacement {
    CTurningAxis m_axis;
    double m_dScale = 1.0;
    CPlanePoint m_origin;
    int32_t m_nShift = 0;
    // A point of the profile (model units, x along the axis, y the radius) in drawing units, on
    // the axis's left.
    CPlanePoint ToDrawing(CPoint p) const;
};

class CDxfImport {
public:
    // Millimetres per drawing unit for a $INSUNITS code; 0 for codes that name no length.
    static double ScaleOfInsUnits(int code);
    // Millimetres per unit for the option ("auto" takes insUnits, and mm when it says nothing);
    // 0 for an unknown name.
    static double ScaleOf(const std::string& units, int insUnits);

    // Reads and extracts; false with error when the file cannot be read or names a layer it does
    // not have. The result's pieces may be empty (its report then says why), which is not an
    // error of reading.
    bool Load(const std::string& bytes, const CDxfImportOptions& options, CImportResult& result,
              std::string& error) const;
    // Load in two steps, so the drawing is read once and mapped again as other options are
    // chosen: Read takes the entities of the options' layers (false with error as Load), Map the
    // profile from them under the rest of the options, with where it lies when placement is given.
    bool Read(const std::string& bytes, const CDxfImportOptions& options, CDxfContent& content,
              std::string& error) const;
    bool Map(CDxfContent content, const CDxfImportOptions& options, CImportResult& result, std::string& error,
             CDxfPlacement* placement = nullptr) const;
    bool LoadFile(const std::string& path, const CDxfImportOptions& options, CImportResult& result,
                  std::string& error) const;
    // The layers of a file with their linetypes and entity counts; false when it cannot be read.
    static bool ListLayers(const std::string& path, std::vector<CDxfLayerEntry>& layers, std::string& error);
    // The DXF layer names of a file, for a choice list; empty when it cannot be read.
    static std::vector<std::string> LayerNames(const std::string& path);

    // Inserts the pieces into layer index (0...5) through the layer's own insertion, cut to the
    // drawing's length, and records one undo step for that layer. With replaceLayer the layer's
    // old profile goes as a whole (flat at the stock's top where nothing is imported); without
    // it, what lies beyond the imported stretch stays. Returns the number inserted; with none
    // the document is left as it was and why (when given) says the reason. counts, when given,
    // receives what was done with the pieces.
    static int Apply(CKestrovelDoc& doc, int index, const CImportResult& result, CMessages* messages,
                     bool replaceLayer = false, std::string* why = nullptr, CDxfApplyCounts* counts = nullptr);
};
