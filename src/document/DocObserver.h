// CDocObserver: what a document tells the views that show it.
#pragma once

class CDocObserver {
public:
    virtual ~CDocObserver() = default;
    // The document changed; erase: repaint the background too.
    virtual void OnDocumentUpdate(bool erase) = 0;
};
