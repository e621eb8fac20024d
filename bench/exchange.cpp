// DXF import of 10 000 entities and export of six layers of 2 000 elements.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "document/KestrovelDoc.h"
#include "elements/Linear.h"
#include "exchange/DxfExport.h"
#include "exchange/DxfImport.h"

namespace {

std::string Temp(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
}

// A stepped profile: 10 000 lines and arcs along 900 mm, written by the exporter.
std::string TenThousandEntities() {
    std::vector<CDxfEntity> entities;
    for (int i = 0; i < 10000; ++i) {
        CDxfEntity e;
        e.m_strLayer = "0";
        const double z = i * 0.09;
        const double x = 50.0 + (i % 7);
        if (i % 2) {
            e.m_bArc = true;
            e.m_center = {z + 0.045, x - 0.5};
            e.m_dRadius = std::hypot(0.045, 0.5);
            e.m_dStart = std::atan2(0.5, 0.045) * 180 / 3.141592653589793;
            e.m_dEnd = 180.0 - e.m_dStart;
        } else {
            e.m_a = {z, x};
            e.m_b = {z + 0.09, x};
        }
        entities.push_back(e);
    }
    const std::string path = Temp("-bench-import.dxf");
    std::string error;
    CDxfExport::Write(entities, path, error);
    return path;
}

void ImportTenThousandEntities(benchmark::State& state) {
    const std::string path = TenThousandEntities();
    for (auto _ : state) {
        CKestrovelDoc doc;
        doc.OnNewDocument();
        CImportResult result;
        std::string error;
        CDxfImport().LoadFile(path, {}, result, error);
        benchmark::DoNotOptimize(CDxfImport::Apply(doc, 0, result, nullptr));
    }
    std::filesystem::remove(path);
}
BENCHMARK(ImportTenThousandEntities)->Unit(benchmark::kMillisecond);

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
