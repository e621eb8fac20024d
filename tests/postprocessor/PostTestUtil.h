// Helpers of the post-processor tests: post-processors from text and a document-free context.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/KestrovelDoc.h"
#include "document/Layer.h"
#include "elements/Arc.h"
#include "elements/Linear.h"
#include "platform/Messages.h"
#include "postprocessor/DefinitionReader.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ItemFileReader.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/PostFileReader.h"
#include "postprocessor/PreProcesor.h"

namespace posttest {

// The fixed sections of a post file before its macros.
inline std::string PostHead(const std::string& flags = "First#?\nY\nLast#?\nY\n") {
    return "BeginVar\nX>4.3\nZ>4.3\nI>4.3\nK>4.3\nF>5.0\nS>4.0\nO>4.0\nT>2.0\nEnd\n"
           "Number\nY\nLetter\nN\nSequence_N\n10\n10\n" +
           flags +
           "Incremental?\nN\nCtrIncremental?\nN\n"
           "DefOCI\nBeginObj\n1\nEndObj\n1\nDivideObj\n10:2\n50:4\n100:8\nEnd\n";
}

inline std::unique_ptr<CPreProcesor> MakePost(const std::string& items, const std::string& macros,
                                              CMessages* messages, const std::string& head = PostHead()) {
    auto pp = std::make_unique<CPreProcesor>("Test", "test.*", "test.nc", "spare", messages);
    CDefinitionReader itemReader("test.itm", items, messages);
    CItemFileReader::Read(itemReader, *pp);
    CDefinitionReader postReader("test.pos", head + "BeginMacro\n" + macros + "BeginMacro\nENDPOSTPROCESOR\n",
                                 messages);
    CPostFileReader::Read(postReader, *pp);
    pp->MarkLoaded();
    return pp;
}

// A 100 mm profile at radius 20 mm with a step down to 15 mm at Z 20, an upper arc from Z 30 to 50,
// a lower arc from Z 50 to 70 and a step up to a line at 18 mm.
inline std::unique_ptr<CLayer> SampleLayer() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 200000, 1000000);
    layer->AddLine(0, 200000, 1000000, 200000);
    layer->AddPiece(std::make_unique<CLinear>(200000, 150000, 300000, 150000), 0);
    layer->AddPiece(std::make_unique<CArc>(CPoint(300000, 150000), CPoint(500000, 160000), CPoint(400000, 210000)), 0);
    layer->AddPiece(std::make_unique<CArc>(CPoint(500000, 160000), CPoint(700000, 150000), CPoint(600000, 110000)), 0);
    layer->AddPiece(std::make_unique<CLinear>(700000, 180000, 1000000, 180000), 0);
    return layer;
}

// Serves copies of layers it holds (index 0...5) and records messages.
class CTestContext : public CMacroContext {
public:
    std::unique_ptr<CLayer> CopyLayer(int index) override {
        if (index < 0 || index >= static_cast<int>(m_layers.size()) || !m_layers[static_cast<size_t>(index)]) {
            return nullptr;
        }
        return std::make_unique<CLayer>(*m_layers[static_cast<size_t>(index)]);
    }
    CMessages* GetMessages() override { return &m_messages; }

    CRecordingMessages m_messages;
    std::vector<std::unique_ptr<CLayer>> m_layers;
};

// The sample drawing of examples/, read with its messages recorded; null with the reason when the
// file can't be read.
struct CSampleDrawing {
    CSampleDrawing() {
        CDocServices services;
        services.pMessages = &m_messages;
        m_pDoc = CDocumentFile::Open(KESTROVEL_SOURCE_DIR "/examples/sample.kst", services, m_strError);
    }
    CRecordingMessages m_messages;
    std::string m_strError;
    std::unique_ptr<CKestrovelDoc> m_pDoc;
};

}  // namespace posttest
