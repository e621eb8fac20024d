// CDxfTextWriter: the DXF library's writer, collecting the text in memory or handing it to a safe save.
#pragma once

#include <dl_writer_ascii.h>

#include <string>
#include <string_view>

class CSafeFileWriter;

// The library's drawing functions take its file writer; this one overrides every output so that
// every write is checked (the library's stream says nothing when it hits a full disk). It writes
// the same text as the file writer: kept whole in memory, or, with a save to feed, passed on to
// it piece by piece.
class CDxfTextWriter : public DL_WriterA {
public:
    explicit CDxfTextWriter(DL_Codes::version version, CSafeFileWriter* save = nullptr)
        : DL_WriterA("", version), m_pSave(save) {}

    // The text kept (with a save: what was not yet passed on).
    const std::string& Text() const { return m_strText; }
    // Passes the rest of the text to the save; false when any piece could not be written.
    bool Finish() const;

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

private:
    void Code(int gc) const;
    void Line(int gc, std::string_view value) const;
    void PassOn() const;

    CSafeFileWriter* m_pSave;
    mutable std::string m_strText;
    mutable bool m_bFailed = false;
};
