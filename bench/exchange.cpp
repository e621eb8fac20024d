// DXF import of 1 000 to 100 000 entities into one layer and export of six layers of 2 000 elements.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "document/KestrovelDoc.h"
#include "elements/Linear.h"
#include "exchange/DxfExport.h"
#include "exchange/DxfImport.h"
#include "exchange/DxfReader.h"
#include "support/SteppedDxf.h"

namespace {

std::string Temp(const std::string& name) {
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
}

// A stepped profile of count lines and arcs along 900 mm, written by the exporter.
std::string SteppedProfile(int count) {
    const std::string path = Temp("-bench-import-" + std::to_string(count) + ".dxf");
    WriteSteppedProfile(path, count, 900.0, 50.0);
    return path;
}

// The command-line import: read, extract and insert into one layer (1k to 100k entities).
void ImportIntoOneLayer(benchmark::State& state) {
    const std::string path = SteppedProfile(static_cast<int>(state.range(0)));
    int inserted = 0;
    for (auto _ : state) {
        CKestrovelDoc doc;
        doc.OnNewDocument();
        CImportResult result;
        std::string error;
        CDxfImport().LoadFile(path, {}, result, error);
        inserted = CDxfImport::Apply(doc, 0, result, nullptr);
        benchmark::DoNotOptimize(inserted);
    }
    state.counters["inserted"] = inserted;
    std::filesystem::remove(path);
}
BENCHMARK(ImportIntoOneLayer)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);

// Only the insertion, to show it grows linearly.
void InsertIntoOneLayer(benchmark::State& state) {
    const std::string path = SteppedProfile(static_cast<int>(state.range(0)));
    CImportResult result;
    std::string error;
    CDxfImport().LoadFile(path, {}, result, error);
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CKestrovelDoc>();
        doc->OnNewDocument();
        state.ResumeTiming();
        benchmark::DoNotOptimize(CDxfImport::Apply(*doc, 0, result, nullptr));
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
}
BENCHMARK(InsertIntoOneLayer)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);

// 1 000 cubic splines of 20 control points each (19 mm long, waving 2 mm), one after another.
std::string ThousandSplines() {
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    char buf[96];
    for (int s = 0; s < 1000; ++s) {
        text += "0\nSPLINE\n8\n0\n70\n8\n71\n3\n72\n24\n73\n20\n";
        for (int k = 0; k < 24; ++k) {
            const int knot = std::clamp(k - 3, 0, 17);
            std::snprintf(buf, sizeof buf, "40\n%d\n", knot);
            text += buf;
        }
        for (int i = 0; i < 20; ++i) {
            std::snprintf(buf, sizeof buf, "10\n%.6f\n20\n%.6f\n30\n0\n", s * 19.0 + i * 1.0,
                          30.0 + 2.0 * std::sin(i * 0.7 + s));
            text += buf;
        }
    }
    text += "0\nENDSEC\n0\nEOF\n";
    return text;
}

// The import dialog's answer to a change of units, axis, flip or window: the drawing read once is
// mapped again (compare ImportIntoOneLayer, which reads the file each time).
void RemapReadDrawing(benchmark::State& state) {
    const std::string path = SteppedProfile(static_cast<int>(state.range(0)));
    std::string bytes;
    std::string error;
    CDxfContent content;
    CDxfReader::LoadBytes(path, bytes, error);
    CDxfImport().Read(bytes, {}, content, error);
    CDxfImportOptions options;
    for (auto _ : state) {
        options.bFlip = !options.bFlip;
        CImportResult result;
        CDxfImport().Map(content, options, result, error);
        benchmark::DoNotOptimize(result.m_pieces.size());
    }
    std::filesystem::remove(path);
}
BENCHMARK(RemapReadDrawing)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);

void ReadThousandSplines(benchmark::State& state) {
    const std::string text = ThousandSplines();
    size_t pieces = 0;
    for (auto _ : state) {
        CImportResult result;
        std::string error;
        CDxfImport().Load(text, {}, result, error);
        pieces = result.m_pieces.size();
    }
    state.counters["pieces"] = static_cast<double>(pieces);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(ReadThousandSplines)->Unit(benchmark::kMillisecond);

void ExportSixLayersOf2000(benchmark::State& state) {
    CKestrovelDoc doc;
    doc.OnNewDocument();
    for (int layer = 0; layer < CKestrovelDoc::kLayerCount; ++layer) {
        for (int i = 0; i < 2000; ++i) {
            doc.GetLayer(layer)->AddPiece(std::make_unique<CLinear>(i * 4500, 300000 + (i % 5) * 1000,
                                                                    (i + 1) * 4500, 300000 + (i % 5) * 1000),
                                          0);
        }
    }
    const std::string path = Temp("-bench-export.dxf");
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(CDxfExport::Write(CDxfExport::Collect(doc, false), path, error));
    }
    std::filesystem::remove(path);
}
BENCHMARK(ExportSixLayersOf2000)->Unit(benchmark::kMillisecond);

}  // namespace
