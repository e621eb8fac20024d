// CNcReader: reads NC text back as tool moves, keeping the modes a lathe control would keep.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "toolpath/NcBlock.h"
#include "toolpath/NcThreadCycle.h"
#include "toolpath/Toolpath.h"

struct CCycleMove;

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
    // are not read. Moves are in the coordinate system in effect when each is made, as the
    // controller's interpreter reports them.
    CToolpath Read(const std::string& text);

    // A longer line is refused as a whole, as controllers refuse overlong blocks.
    static constexpr size_t kLineLimit = 4096;
    // Cycles of one text expand to at most this many moves; beyond it they are refused.
    static constexpr size_t kCycleMoveLimit = 500000;
    // Radius difference between an arc's ends that a controller still runs: more than
    // kArcRadiusAbsoluteMm (kArcRadiusAbsoluteInch in inch programs) and more than
    // kArcRadiusRelative of the radius, or more than 100 times the absolute figure, is an error.
    static constexpr double kArcRadiusAbsoluteMm = 0.02 * 1.4142135623730951;
    static constexpr double kArcRadiusAbsoluteInch = 0.002 * 1.4142135623730951;
    static constexpr double kArcRadiusRelative = 0.001;
    // Whether a controller refuses an arc whose ends lie r1 and r2 from its centre (model units).
    bool ArcRadiiDiffer(double r1, double r2) const;

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
        const CNcWord* pP = nullptr;
        const CNcWord* pL = nullptr;
        bool Any() const { return pX || pZ || pU || pW; }
    };
    // What the G words of one block ask for beside the motion mode.
    struct CBlockCodes {
        // 0-3, -1 for none (G80), or ten times the G number of threading (G32, G33, G76)
        // and of the cycles the reader does not expand (G33.1 is 331)
        int nMotion = 0;
        int nNonModal = -1;     // 4, 10, 28, 30, 50, 92, 921 (G92.1, G92.2), -1 for none
        bool bMachine = false;  // G53
        bool bRefused = false;  // two codes of one group
        int nCycle = 0;         // G70-G72 (G71.1 is 711), 0 for none
        int nMotionCode = -1;   // the motion group's code in the block (ten times its G number)
    };

    void ReadLine(std::string& line);
    void ReadBlock(const CNcBlock& block);
    // Lathe cycles (NcReaderCycles.cpp): expanded into the moves the controller makes.
    void RunCycle(const CNcBlock& block, int cycle);
    void RunSubroutineCycle(const CNcBlock& block, int cycle);
    void RunNumberedCycle(const CNcBlock& block, int cycle);
    void RunDrillCycle(const CNcBlock& block, int cycle);
    void RunPeckCycle(const CNcBlock& block, int cycle);
    void AddCycleMoves(const std::vector<CCycleMove>& moves, const std::string& blockNumber);
    CBlockCodes ApplyModes(const CNcBlock& block);
    bool ApplyG(const CNcWord& word, CBlockCodes& codes, unsigned& groups);
    bool CollectAxes(const CNcBlock& block, int motion, CAxisWords& axes);
    void RunNonModal(const CBlockCodes& codes, const CAxisWords& axes);
    void Move(const CBlockCodes& codes, const CAxisWords& axes, const std::string& blockNumber);
    void Arc(int motion, const CAxisWords& axes, CPathPoint end, const std::string& blockNumber);
    // Threading (NcReaderThread.cpp): synchronised moves and the G76 cycles; any other cycle
    // is an error of the block.
    void Cycle(const CBlockCodes& codes, const CAxisWords& axes, const CNcBlock& block);
    void DriveLineThread(const CAxisWords& axes, const CNcBlock& block);
    void FlankThread(const CAxisWords& axes, const CNcBlock& block);
    void AddCycleMoves(const CThreadExpansion& expansion, double lead, const std::string& blockNumber);
    // What the reader does not follow and a control would: a subroutine call, program flow,
    // parameters, another control's cycle: an error of the line, and a motion mode that moves
    // nothing while it lasts.
    void NotExpanded(const CNcBlock& block, CBlockCodes& codes);
    // The two-block G76 names no I, J or K; the single-block G76 needs all three.
    static bool IsFlankForm(const CNcBlock& block);
    void ReturnHome(const CAxisWords& axes, int reference, const std::string& blockNumber);
    CPathPoint EndPoint(const CAxisWords& axes) const;
    // The given axis words as a point (radius, model units) and which of Z and X they name.
    CPathPoint GivenPoint(const CAxisWords& axes, bool& z, bool& x) const;
    // The arc's centre from R or I/K; false (with the error noted) when there is none.
    bool ArcCentre(const CAxisWords& axes, CPathPoint start, CPathPoint end, int direction,
                   CPathPoint& centre);
    void AddMove(const CPathSegment& segment, bool rapid, const std::string& blockNumber);
    void Note(std::vector<CNcNote>& list, const std::string& text);
    double Length(double value) const { return value * m_dUnitMm * 10000.0; }
    // Where the current coordinate system's origin lies in machine coordinates.
    CPathPoint Origin() const;
    // Changes the offsets by change, keeping the tool where it stands on the machine.
    template <typename F>
    void ShiftOrigin(F change);

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
    std::string m_strSubroutine;  // the name of the subroutine whose body is being read
    // Subroutine bodies by name ("O100"): cycles take their profile from them.
    std::map<std::string, std::vector<CNcBlock>> m_subroutines;
    // The text being read (numbered cycles look up their profile blocks in it), the block number
    // up to which the blocks after a cycle are its profile and not run, and the depth and retract
    // a first cycle block sets (model units).
    const std::string* m_pText = nullptr;
    long m_nSkipToBlock = -1;
    double m_dCycleDepth = 0.0;
    double m_dCycleRetract = 0.0;
    // Drilling: G98 (back to the level the cycle started at) or G99 (to R), and the R, Z and Q
    // the last drilling block gave (they hold for the next); the return after each peck of G74
    // and G75 (model units).
    bool m_bRetractToStart = false;
    double m_dDrillR = 0.0;
    double m_dDrillZ = 0.0;
    double m_dDrillQ = 0.0;
    double m_dPeckReturn = 0.0;
    int m_nMotionBefore = 0;      // the motion mode before the block being read
    bool m_bCutterComp = false;   // G41/G42 (or G41.1/G42.1) in force
    double m_dDrillStartZ = 0.0;  // where a series of drilling blocks started
    // Work offsets G54-G59.3 (index 1-9) and the G92 offset, model units, X as a radius.
    std::array<CPathPoint, 10> m_origins{};
    CPathPoint m_ptG92;
    int m_nSystem = 1;
    CFlankThreadSettings m_flankSettings;  // the two-block G76's first block, kept until given again
    size_t m_nCycleMoves = 0;              // moves the cycles of the text made so far
};
