// Runs LinuxCNC's rs274 interpreter on NC text and reads its canonical moves.
#pragma once

#include "../Rs274Serialized.h"
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace rs274 {

inline const char* Path() {
    return "/usr/bin/rs274";
}
inline bool Installed() {
    return std::filesystem::exists(Path());
}
inline const char* SkipMessage() {
    return "rs274 (Debian package linuxcnc-uspace) is not installed: the comparison with LinuxCNC's "
           "interpreter is skipped";
}

// One canonical move in millimetres, Z axial and X radial.
struct CMove {
    bool bRapid = false;
    bool bArc = false;
    double dZ = 0, dX = 0, dCentreZ = 0, dCentreX = 0;
    int nRotation = 0;  // -1 clockwise (G2), 1 counter-clockwise (G3); times the turns (P)
};

struct CRun {
    int nExit = -1;
    std::string strLog;
    std::vector<CMove> moves;
};

inline std::vector<double> Arguments(const std::string& line) {
    std::vector<double> values;
    std::stringstream in(line.substr(line.find('(') + 1));
    std::string item;
    while (std::getline(in, item, ',')) {
        values.push_back(std::strtod(item.c_str(), nullptr));
    }
    return values;
}

// Canonical lines: STRAIGHT_TRAVERSE/STRAIGHT_FEED(x, y, z, ...), ARC_FEED in the XZ plane
// (first end = Z, second end = X, first centre, second centre, rotation, ...). Lengths follow
// the USE_LENGTH_UNITS lines.
inline std::vector<CMove> ReadCanon(std::istream& in) {
    std::vector<CMove> moves;
    double unit = 1.0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("USE_LENGTH_UNITS(") != std::string::npos) {
            unit = line.find("INCHES") != std::string::npos ? 25.4 : 1.0;
        } else if (line.find("STRAIGHT_TRAVERSE(") != std::string::npos ||
                   line.find("STRAIGHT_FEED(") != std::string::npos) {
            const auto v = Arguments(line);
            CMove m;
            m.bRapid = line.find("TRAVERSE") != std::string::npos;
            m.dZ = v[2] * unit;
            m.dX = v[0] * unit;
            moves.push_back(m);
        } else if (line.find("ARC_FEED(") != std::string::npos) {
            const auto v = Arguments(line);
            moves.push_back(
                {false, true, v[0] * unit, v[1] * unit, v[2] * unit, v[3] * unit, static_cast<int>(v[4])});
        }
    }
    return moves;
}

// Interprets text in a fresh folder with a one-tool table.
inline CRun Run(const std::string& text) {
    namespace fs = std::filesystem;
    static int serial = 0;
    const fs::path dir = fs::temp_directory_path() / ("kestrovel_tp_rs274_" + std::to_string(::getpid()) +
                                                      "_" + std::to_string(++serial));
    fs::create_directories(dir);
    std::ofstream(dir / "tool.tbl") << "T1 P1 X0 Z0 D0.4 Q3 ;finishing\n";
    std::ofstream(dir / "in.ngc") << text;
    const std::string command = std::string(kRs274Serialized) + Path() + " -g -t " + (dir / "tool.tbl").string() + " " +
                                (dir / "in.ngc").string() + " " + (dir / "canon.txt").string() +
                                " < /dev/null > " + (dir / "log.txt").string() + " 2>&1";
    CRun run;
    run.nExit = std::system(command.c_str());
    std::ifstream log(dir / "log.txt");
    run.strLog.assign(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
    std::ifstream canon(dir / "canon.txt");
    run.moves = ReadCanon(canon);
    fs::remove_all(dir);
    return run;
}

}  // namespace rs274
