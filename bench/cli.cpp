// The command-line tool on large inputs, run as its own process: its processor time per run and
// its peak resident memory (the "peakMB" counter), both from the kernel's account of the child.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/LargeDocument.h"
#include "support/SteppedDxf.h"

extern char** environ;

namespace {

std::string Temp(const std::string& name) {
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
}

struct CRun {
    bool bOk = false;
    double dPeakMb = 0.0;
    double dCpuSeconds = 0.0;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// Runs the tool with its output to /dev/null: its peak memory and its processor time (user and
// system), which a machine busy with other work changes far less than the time on the clock.
CRun RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), KESTROVEL_CLI);
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, KESTROVEL_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    CRun run;
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    rusage usage{};
    run.bOk = ::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.dPeakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.dCpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    return run;
}

// One timed run: the iteration's time is the tool's processor time.
bool TimedRun(benchmark::State& state, const std::vector<std::string>& args, double& peak) {
    const CRun run = RunCli(args);
    if (!run.bOk) {
        state.SkipWithError("the command failed");
        return false;
    }
    state.SetIterationTime(run.dCpuSeconds);
    peak = std::max(peak, run.dPeakMb);
    return true;
}

// Makes an input in a child process: the kernel counts the memory a process had when it started
// another program as that program's own, so this process stays small.
template <typename Make>
void MakeApart(Make make) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        make();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
}

void Measure(benchmark::State& state, const std::vector<std::string>& args) {
    double peak = 0.0;
    for (auto _ : state) {
        if (!TimedRun(state, args, peak)) {
            return;
        }
    }
    state.counters["peakMB"] = peak;
}

// Six layers of 20 000 lines and arcs and ten programs.
// Made once per run of the benchmarks and removed at their end.
struct CLargeDrawing {
    std::string strPath = Temp("-bench-large.kst");
    CLargeDrawing() {
        MakeApart([this] {
            std::string error;
            MakeLargeDocument(20000)->OnSaveDocument(strPath, error);
        });
    }
    ~CLargeDrawing() { std::filesystem::remove(strPath); }
};

std::string LargeDrawing() {
    static const CLargeDrawing drawing;
    return drawing.strPath;
}

std::string NewDrawing() {
    const std::string path = Temp("-bench-new.kst");
    std::filesystem::remove(path);
    (void)RunCli({"new", path, "--length", "1000", "--base", "120"});
    return path;
}

void DumpLargeDrawing(benchmark::State& state) {
    Measure(state, {"dump", LargeDrawing()});
}
BENCHMARK(DumpLargeDrawing)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void ExportLargeDrawing(benchmark::State& state) {
    const std::string out = Temp("-bench-large.dxf");
    Measure(state, {"export-dxf", LargeDrawing(), out});
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(out)) / 1e6;
    std::filesystem::remove(out);
}
BENCHMARK(ExportLargeDrawing)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// Imports the DXF file into a fresh copy of a new drawing each time; removes both files after.
void MeasureImport(benchmark::State& state, const std::string& dxf, const char* copyName) {
    const std::string drawing = NewDrawing();
    const std::string copy = Temp(copyName);
    double peak = 0.0;
    for (auto _ : state) {
        std::filesystem::copy_file(drawing, copy, std::filesystem::copy_options::overwrite_existing);
        if (!TimedRun(state, {"import-dxf", copy, dxf}, peak)) {
            return;
        }
    }
    state.counters["peakMB"] = peak;
    std::filesystem::remove(dxf);
    std::filesystem::remove(copy);
}

// 100 000 lines and arcs into one layer of a new drawing (each run starts from the empty file).
void ImportHundredThousand(benchmark::State& state) {
    const std::string dxf = Temp("-bench-100k.dxf");
    MakeApart([&dxf] { WriteSteppedProfile(dxf, 100000, 900.0, 50.0); });
    MeasureImport(state, dxf, "-bench-100k.kst");
}
BENCHMARK(ImportHundredThousand)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// 1 000 cubic splines of 20 control points (19 mm long each, waving 2 mm), one after another.
void ImportThousandSplines(benchmark::State& state) {
    const std::string dxf = Temp("-bench-splines.dxf");
    {
        std::ofstream out(dxf);
        out << "0\nSECTION\n2\nENTITIES\n";
        char buf[96];
        for (int s = 0; s < 1000; ++s) {
            out << "0\nSPLINE\n8\n0\n70\n8\n71\n3\n72\n24\n73\n20\n";
            for (int k = 0; k < 24; ++k) {
                out << "40\n" << std::clamp(k - 3, 0, 17) << "\n";
            }
            for (int i = 0; i < 20; ++i) {
                std::snprintf(buf, sizeof buf, "10\n%.6f\n20\n%.6f\n30\n0\n", s * 19.0 + i * 1.0,
                              30.0 + 2.0 * std::sin(i * 0.7 + s));
                out << buf;
            }
        }
        out << "0\nENDSEC\n0\nEOF\n";
    }
    MeasureImport(state, dxf, "-bench-splines.kst");
}
BENCHMARK(ImportThousandSplines)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The tool doing nothing but open a tiny drawing: the floor under every figure above.
void DumpEmptyDrawing(benchmark::State& state) {
    Measure(state, {"dump", NewDrawing()});
}
BENCHMARK(DumpEmptyDrawing)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace
