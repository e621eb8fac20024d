// The compiled-code view: a monospaced, read-only text.
#include "shell/PreProcesorEdit.h"

#include <QFontDatabase>

#include "shell/QtText.h"

CPreProcesorEdit::CPreProcesorEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // Read-only, yet the arrow keys move the code cursor (the toolpath pane follows it).
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Long NC lines wrap at the view's edge (anywhere, as NC words need no blanks between them).
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void CPreProcesorEdit::SetText(const std::string& text) {
    QString s = ToQ(text);
    s.remove(QLatin1Char('\r'));
    // The same text again keeps the reader's place in it.
    if (s != toPlainText()) {
        setPlainText(s);
    }
}
