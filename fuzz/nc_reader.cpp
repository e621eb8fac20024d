// Fuzzes the NC reader, and the deviation check and the painter on whatever it reads.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/Layer.h"
#include "platform/RecordingSurface.h"
#include "toolpath/DeviationCheck.h"
#include "toolpath/NcReader.h"
#include "toolpath/ToolpathView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CNcReaderSettings settings;
    settings.bDiameterMode = size > 0 && (data[0] & 1);
    CToolpath path = CNcReader(settings).Read(text);
    for (const CToolMove& m : path.moves) {
        // Every move comes from a line of the text and lies at a finite place.
        if (m.nLine < 1 || m.nLine > path.nLineCount || !std::isfinite(m.segment.ptEnd.dZ) ||
            !std::isfinite(m.segment.ptEnd.dX)) {
            std::abort();
        }
    }
    // Notes are bounded whatever the junk.
    if (path.errors.size() > CToolpath::kNoteLimit || path.unknown.size() > CToolpath::kNoteLimit ||
        path.nErrorCount < path.errors.size()) {
        std::abort();
    }
    CLayer layer;
    layer.CreateBorders(0, 200000, 1000000);
    layer.AddLine(0, 200000, 1000000, 200000);
    const CDeviationResult r = CDeviationCheck::Run(path, CProfileShape::FromLayer(layer), 0.01);
    if (r.bMeasured && !(r.dLargestMm >= 0)) {
        std::abort();
    }
    CToolpathView view;
    view.SetClientSize(320, 200);
    view.SetContent({}, std::move(path), r.Summary());
    CRecordingSurface dc(320, 200);
    dc.SetRecording(false);
    view.Paint(dc);
    (void)view.HitTest(100, 100);
    return 0;
}
