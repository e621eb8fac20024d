// The feed moves LinuxCNC's rs274 interpreter reports for an NC file.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../Rs274Serialized.h"

namespace rs274 {

inline const char* kPath = "/usr/bin/rs274";

// One canonical move (Z axial, X radial as in radius mode).
struct CMove {
    bool bArc = false;
    double dZ = 0;
    double dX = 0;
    double dCentreZ = 0;
    double dCentreX = 0;
    int nRotation = 0;  // -1 clockwise (G2), 1 counter-clockwise (G3)
};

inline std::vector<double> Numbers(const std::string& args) {
    std::vector<double> values;
    std::stringstream in(args);
    std::string item;
    while (std::getline(in, item, ',')) {
        values.push_back(std::strtod(item.c_str(), nullptr));
    }
    return values;
}

// The feed moves of an rs274 canonical output.
inline std::vector<CMove> FeedMoves(const std::string& path) {
    std::vector<CMove> moves;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t open = line.find('(');
        if (line.find("STRAIGHT_FEED(") != std::string::npos) {
            const auto v = Numbers(line.substr(open + 1));
            moves.push_back({false, v[2], v[0]});
        } else if (line.find("ARC_FEED(") != std::string::npos) {
            // In the XZ plane the first axis is Z, the second X.
            const auto v = Numbers(line.substr(open + 1));
            moves.push_back({true, v[0], v[1], v[2], v[3], static_cast<int>(v[4])});
        }
    }
    return moves;
}

// Interprets ngc with the tool table into canon; the exit code and the interpreter's messages.
inline int Run(const std::string& table, const std::string& ngc, const std::string& canon, std::string& log) {
    const std::string logPath = canon + ".log";
    const std::string command = std::string(kRs274Serialized) + kPath + " -g -t " + table + " " + ngc + " " + canon +
                                " < /dev/null > " + logPath + " 2>&1";
    const int rc = std::system(command.c_str());
    std::ifstream in(logPath);
    log.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return rc;
}

}  // namespace rs274
