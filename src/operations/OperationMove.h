// COperationMove and COperationResult: what a computed lathe operation hands to the post-processor.
#pragma once

#include <map>
#include <string>
#include <vector>

// One move of an operation, its end point in millimetres on the model-unit grid (0.0001 mm):
// Z axial, X a radius.
struct COperationMove {
    enum EKind { kRapid = 0, kFeed = 1, kDwell = 2, kThread = 3 };
    EKind nKind = kRapid;
    double dZ = 0.0;
    double dX = 0.0;
    // A feed of the move's own (a finishing or a reduced feed); 2000000.0 when it cuts at the
    // command's feed.
    double dFeed = 2000000.0;
    // Seconds, for a dwell.
    double dDwell = 0.0;
    // An approach along one axis: the other coordinate stays where the previous command left it,
    // and its word is left out.
    bool bKeepZ = false;
    bool bKeepX = false;
};

// The moves of an operation and the values it computed for its header and trailer lines (pitch,
// depths, the drive line); a non-empty error means the operation was refused and says why.
struct COperationResult {
    std::vector<COperationMove> moves;
    std::map<std::string, double> values;
    std::string strError;

    bool IsRefused() const { return !strError.empty(); }
    static COperationResult Refused(std::string why) {
        COperationResult result;
        result.strError = std::move(why);
        return result;
    }
};
