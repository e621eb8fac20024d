// Saving and loading a large drawing: six layers of 1000 or 2000 elements and ten programs.
#include "platform/Archive.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "document/KestrovelDoc.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "support/LargeDocument.h"

namespace {

void BM_SaveToBytes(benchmark::State& state) {
    auto doc = MakeLargeDocument(static_cast<int>(state.range(0)));
    size_t size = 0;
    for (auto _ : state) {
        size = CDocumentFile::Write(*doc).size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_SaveToBytes)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_LoadFromBytes(benchmark::State& state) {
    auto doc = MakeLargeDocument(static_cast<int>(state.range(0)));
    const std::vector<uint8_t> bytes = CDocumentFile::Write(*doc);
    std::string error;
    for (auto _ : state) {
        auto loaded = CDocumentFile::Read(bytes, {}, error);
        benchmark::DoNotOptimize(loaded.get());
    }
}
BENCHMARK(BM_LoadFromBytes)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() / "kestrovel-bench-archive.kst").string();
}

// With the file system: the atomic save flushes the file before it replaces the old one.
void BM_SaveToFile(benchmark::State& state) {
    auto doc = MakeLargeDocument(static_cast<int>(state.range(0)));
    std::string error;
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc->OnSaveDocument(BenchPath(), error));
    }
    std::remove(BenchPath().c_str());
}
BENCHMARK(BM_SaveToFile)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    auto doc = MakeLargeDocument(static_cast<int>(state.range(0)));
    std::string error;
    doc->OnSaveDocument(BenchPath(), error);
    for (auto _ : state) {
        auto loaded = CDocumentFile::Open(BenchPath(), {}, error);
        benchmark::DoNotOptimize(loaded.get());
    }
    std::remove(BenchPath().c_str());
}
BENCHMARK(BM_LoadFromFile)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
