// Runs the built kestrovel-cli in a scratch folder and captures its exit code and output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct CCliResult {
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                (std::string("kestrovel-cli-") + info->test_suite_name() + "-" + info->name() + "-" +
                 std::to_string(::getpid()));
        // The process id keeps runs of the suite from other build folders apart.
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    static std::string Quote(const std::string& arg) {
        std::string out = "'";
        for (char c : arg) {
            out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return out + "'";
    }

    // With seconds, the run is stopped after that long: a hang is a failure, not a stuck test.
    CCliResult Run(const std::vector<std::string>& args, int seconds = 0) const {
        std::string command = (seconds > 0 ? "timeout " + std::to_string(seconds) + " " : std::string()) +
                              Quote(KESTROVEL_CLI);
        for (const auto& a : args) {
            command += " " + Quote(a);
        }
        const std::string out = PathOf("stdout.txt");
        const std::string err = PathOf("stderr.txt");
        command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
        const int status = std::system(command.c_str());
        CCliResult r;
        r.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.strOut = ReadText(out);
        r.strErr = ReadText(err);
        return r;
    }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    static size_t LineCount(const std::string& text) {
        size_t n = 0;
        for (char c : text) {
            n += c == '\n';
        }
        return n;
    }

    std::filesystem::path m_dir;
};
