// CDxfTextWriter: the DXF library's writer, collecting the text in memory instead of a file.
#pragma once

#include <dl_writer_ascii.h>

#include <string>

// The library's drawing functions take its file writer; this one overrides every output so the
// text can be saved as a whole (a stream that hits a full disk says nothing). It writes the same
// text as the file writer.
class CDxfTextWriter : public DL_WriterA {
public:
    explicit CDxfTextWriter(DL_Codes::version version) : DL_WriterA("", version) {}

    const std::string& Text() const { return m_strText; }

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

private:
    void Code(int gc) const;

    mutable std::string m_strText;
};
