// CDocumentChanges: which parts of a drawing differ from another state of it, in words.
#pragma once

#include <string>

class CKestrovelDoc;

class CDocumentChanges {
public:
    // For example "layers 1 and 3, CNC programs" or "source material"; "no changes" when the two
    // store the same bytes. Both documents are only read (storing needs non-const access).
    static std::string Describe(CKestrovelDoc& now, CKestrovelDoc& before);
};
