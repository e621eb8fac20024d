// The large drawing the benchmarks share: six layers of short lines and arcs, ten programs.
#pragma once

#include <memory>
#include <string>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

inline constexpr int32_t kLength = 9000000;

// elements - 1 short lines and arcs from the left, then what is left of the first line.
inline void FillLayer(CLayer& layer, int elements) {
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

inline void AddPrograms(CProgramList& list) {
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

inline std::unique_ptr<CKestrovelDoc> MakeLargeDocument(int elements) {
    auto doc = CProgramDocument::Create();
    doc->OnNewDocument();
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        FillLayer(*doc->GetLayer(i), elements);
    }
    AddPrograms(*CProgramDocument::GetList(*doc));
    return doc;
}
