// Saving and loading a large drawing: six layers of 1000 or 2000 elements and ten programs.
#include "platform/Archive.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

namespace {

constexpr int32_t kLength = 9000000;

// elements - 1 short lines and arcs from the left, then what is left of the first line.
void FillLayer(CLayer& layer, int elements) {
    for (int i = 0; i + 1 < elements; ++i) {
        const int32_t kStep = kLength / elements;
        const int32_t z = i * kStep;
        const int32_t x = 800000 + (i % 7) * 10000;
        if (i % 3 == 2) {
            layer.AddPiece(
                std::make_unique<CArc>(CPoint{z, x}, CPoint{z + kStep, x}, CPoint{z + kStep / 2, x + 2000}),
                0);
        } else {
            layer.AddLine(z, x, z + kStep, x);
        }
    }
}

void AddPrograms(CProgramList& list) {
    for (int p = 0; p < 10; ++p) {
        CProgram* program = list.AddProgram();
        program->SetNote("Roughing pass " + std::to_string(p));
        for (int c = 0; c < 5; ++c) {
            auto command = std::make_unique<CCommand>("Contour", "Kontura", "Follows the profile of a layer");
            command->SetIndex(c);
            command->AddParameter(std::make_unique<CParameter>("Layer", "L", 1, 10000, "YN>1<6"));
            command->AddParameter(std::make_unique<CParameter>("Feed", "F", 1, 1500000, "YN>0<5000"));
            command->AddParameter(std::make_unique<CParameter>("Depth", "D", 0, 0, "NY"));
            program->m_commands.push_back(std::move(command));
        }
    }
}

std::unique_ptr<CKestrovelDoc> MakeLargeDocument(int elements) {
    auto doc = CProgramDocument::Create();
    doc->OnNewDocument();
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        FillLayer(*doc->GetLayer(i), elements);
    }
    AddPrograms(*CProgramDocument::GetList(*doc));
    return doc;
}

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
