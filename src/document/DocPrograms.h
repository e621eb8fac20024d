// CDocPrograms: the document's CNC programs and post-processors, owned through an abstract part.
#pragma once

class CArchive;

// The document sits below the post-processor layer, so it holds its programs through this part;
// the post-processor layer implements it (program list, Post.ini, new and selected programs).
class CDocPrograms {
public:
    virtual ~CDocPrograms() = default;
    virtual bool HasPrograms() const = 0;
    // Writes "Programs", the active program's index (-1 = none) and every program record.
    virtual void StorePrograms(CArchive& ar) = 0;
    // Called after the document has read the tag "Programs": reads the active index and the
    // program records up to and including "End".
    virtual void LoadPrograms(CArchive& ar) = 0;
};
