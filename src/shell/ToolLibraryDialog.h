// CToolLibraryDialog: Tools > Tool library... edits Debug/Tools.ini: a table of the tools, each
// field checked as it is written, a picture of the selected insert in its orientation.
#pragma once

#include <QDialog>
#include <string>

#include "tools/ToolLibrary.h"

class QLabel;
class QTableWidget;

class CToolLibraryDialog : public QDialog {
    Q_OBJECT
public:
    // Column order of the table; the keys CTool::Set reads.
    static constexpr const char* kKeys[] = {"number", "name", "shape", "radius", "orientation", "front", "back",
                                            "hand"};

    // path: the library file (a missing one is an empty library).
    CToolLibraryDialog(const std::string& path, QWidget* parent);

    QTableWidget& Table() const { return *m_pTable; }
    QLabel& Picture() const { return *m_pPicture; }
    QLabel& Problem() const { return *m_pProblem; }
    // The library as the table stands; false with the problem shown when a field is no valid value.
    bool ReadTable(CToolLibrary& library);

    void accept() override;

private:
    void Fill();
    void AddTool();
    void ShowPicture();

    std::string m_strPath;
    CToolLibrary m_library;
    QTableWidget* m_pTable;
    QLabel* m_pPicture;
    QLabel* m_pProblem;
};
