// Naming what differs between a drawing and its saved state, part by part.
#include <gtest/gtest.h>

#include "document/DocumentChanges.h"
#include "document/KestrovelDoc.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

namespace {

std::unique_ptr<CKestrovelDoc> Copy(CKestrovelDoc& doc) {
    std::string error;
    auto copy = CDocumentFile::Read(CDocumentFile::Write(doc), {}, error);
    EXPECT_NE(copy, nullptr) << error;
    return copy;
}

}  // namespace

TEST(DocumentChanges, NamesTheLayersProgramsAndSourceThatDiffer) {
    auto saved = CProgramDocument::Create();
    ASSERT_TRUE(saved->OnNewDocument());
    auto now = Copy(*saved);
    EXPECT_EQ(CDocumentChanges::Describe(*now, *saved), "no changes");

    now->GetLayer(0)->AddLine(1000000, 5, 2000000, 5);
    EXPECT_EQ(CDocumentChanges::Describe(*now, *saved), "layer 1");
    now->GetLayer(2)->AddLine(1000000, 5, 2000000, 5);
    now->GetLayer(5)->AddLine(1000000, 5, 2000000, 5);
    EXPECT_EQ(CDocumentChanges::Describe(*now, *saved), "layers 1, 3 and 6");

    CProgramList* list = CProgramDocument::GetList(*now);
    ASSERT_NE(list, nullptr);
    list->AddProgram();
    now->SetSourceMaterial(kShapeCylinder, 5000000, 800000);
    EXPECT_EQ(CDocumentChanges::Describe(*now, *saved), "source material, layers 1, 3 and 6, CNC programs");
    EXPECT_EQ(CDocumentChanges::Describe(*now, *Copy(*now)), "no changes");
}
