// CNcReader: reads NC text back as tool moves, keeping the modes a lathe control would keep.
#pragma once

#include <string>

#include "toolpath/NcBlock.h"
#include "toolpath/Toolpath.h"

struct CNcReaderSettings {
    // X and U are diameters from the start (ISO lathes set up for diameter programming); G7 and
    // G8 in the text switch it.
    bool bDiameterMode = false;
    // Where the tool stands before the first move.
    CPathPoint ptStart;
};

class CNcReader {
public:
    explicit CNcReader(CNcReaderSettings settings = {});

    // Reads a whole text (line ends LF or CR LF). Lines after the closing "%" or after M2/M30
    // are not read.
    CToolpath Read(const std::string& text);

    // Radius difference between an arc's ends (mm) above which the arc is refused.
    static constexpr double kArcRadiusToleranceMm = 0.001;

private:
    // The axis and arc words of one block, already in model units where they are lengths.
    struct CAxisWords {
        const CNcWord* pX = nullptr;
        const CNcWord* pZ = nullptr;
        const CNcWord* pU = nullptr;
        const CNcWord* pW = nullptr;
        const CNcWord* pI = nullptr;
        const CNcWord* pK = nullptr;
        const CNcWord* pR = nullptr;
        bool Any() const { return pX || pZ || pU || pW; }
    };

    void ReadBlock(const CNcBlock& block);
    // Modal G codes and the words that are events; returns the motion code of the block (0-3,
    // 28 or 30 for a reference return, -1 for none, 4 for a dwell).
    int ApplyModes(const CNcBlock& block);
    bool ApplyG(const CNcWord& word, int& motion);
    void Move(int motion, const CAxisWords& axes, const std::string& blockNumber);
    CPathPoint EndPoint(const CAxisWords& axes) const;
    // The arc's centre from R or I/K; false (with the error noted) when there is none.
    bool ArcCentre(const CAxisWords& axes, CPathPoint start, CPathPoint end, int direction,
                   CPathPoint& centre);
    void AddMove(const CPathSegment& segment, bool rapid, const std::string& blockNumber);
    void Note(std::vector<CNcNote>& list, const std::string& text) const;
    double Length(double value) const { return value * m_dUnitMm * 10000.0; }

    CNcReaderSettings m_settings;
    CToolpath m_result;
    CPathPoint m_ptPos;
    int m_nLine = 0;
    int m_nMotion = 0;
    int m_nPlane = 18;
    bool m_bAbsolute = true;
    bool m_bArcAbsolute = false;
    bool m_bDiameter = false;
    bool m_bEnded = false;
    bool m_bMotionWord = false;  // the block names G0-G3 itself
    int m_nPercent = 0;
    double m_dUnitMm = 1.0;
    double m_dFeed = 0.0;
};
