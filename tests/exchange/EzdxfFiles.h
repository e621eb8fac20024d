// DXF files written by ezdxf (Debian's python3-ezdxf) for the exchange tests, and ezdxf's reading of ours.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace ezdxf {

inline const char* Python() {
    return "/usr/bin/python3";
}
inline std::string Script() {
    return std::string(KESTROVEL_SOURCE_DIR) + "/tests/exchange/make_dxf.py";
}

inline bool Available() {
    return std::system((std::string(Python()) + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) == 0;
}

// The folder with the test drawings, made once per test binary; empty when ezdxf is missing.
inline std::string Folder() {
    static const std::string folder = [] {
        if (!Available()) {
            return std::string();
        }
        const auto dir =
            std::filesystem::temp_directory_path() / ("kestrovel-dxf-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        const std::string command = std::string(Python()) + " " + Script() + " " + dir.string();
        return std::system(command.c_str()) == 0 ? dir.string() : std::string();
    }();
    return folder;
}

inline std::string File(const std::string& name) {
    return Folder() + "/" + name;
}

// ezdxf's view of a DXF file: {"insunits": n, "entities": [{type, layer, start, end, ...}]}.
inline nlohmann::json Read(const std::string& path) {
    const std::string out = path + ".json";
    const std::string command =
        std::string(Python()) + " " + Script() + " --read '" + path + "' > '" + out + "'";
    if (std::system(command.c_str()) != 0) {
        return nlohmann::json();
    }
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    return nlohmann::json::parse(text.str(), nullptr, false);
}

}  // namespace ezdxf

#define REQUIRE_EZDXF()                                                               \
    if (ezdxf::Folder().empty()) {                                                    \
        GTEST_SKIP() << "python3-ezdxf is not installed (scripts/setup installs it)"; \
    }
