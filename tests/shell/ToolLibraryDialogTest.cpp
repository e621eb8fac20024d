// Tools > Tool Library...: a bad value is named and not saved, a good one is saved to Tools.ini.
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>

#include "AppFixture.h"
#include "UserInput.h"
#include "shell/ToolLibraryDialog.h"

namespace {

QString LibraryText(const QString& dir) {
    QFile file(dir + QStringLiteral("/Debug/Tools.ini"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Types over the cell's text: a click selects it, the keys start the editor, Enter ends it.
void TypeIntoCell(QTableWidget& table, int row, int column, const QString& text) {
    UserInput::Click(table.viewport(), table.visualItemRect(table.item(row, column)).center());
    UserInput::Type(&table, text);
    UserInput::Key(&table, Qt::Key_Return);
}

}  // namespace

class ToolLibraryDialogTest : public CAppFixture {};

TEST_F(ToolLibraryDialogTest, ABadValueIsNamedAndKeptOutAGoodOneIsSaved) {
    StartOnSample(1000, 700);
    const QString before = LibraryText(m_dir.path());
    int rows = 0;
    QString problem;
    QString afterBad;
    bool stayedOpen = false;
    UserInput::WhenShown<CToolLibraryDialog>([&](CToolLibraryDialog& dialog) {
        QTableWidget& table = dialog.Table();
        rows = table.rowCount();
        QPushButton* save = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
        // Tool 2's nose radius with a comma: refused, named, the file left as it was.
        TypeIntoCell(table, 1, 3, QStringLiteral("0,8"));
        UserInput::Click(save);
        problem = dialog.Problem().text();
        afterBad = LibraryText(m_dir.path());
        stayedOpen = dialog.isVisible();
        TypeIntoCell(table, 1, 3, QStringLiteral("0.8"));
        const QString shot = QStringLiteral(KESTROVEL_BINARY_DIR "/tool-library-dialog.png");
        EXPECT_TRUE(dialog.grab().save(shot)) << shot.toStdString();
        UserInput::Click(save);
    });
    ASSERT_TRUE(UserInput::ClickMenu(m_pApp->GetMainFrame()->menuBar(), QStringLiteral("Tools"),
                                     QStringLiteral("Tool Library...")));
    EXPECT_EQ(rows, 10);
    EXPECT_TRUE(problem.contains(QStringLiteral("Row 2, radius")) && problem.contains(QStringLiteral("0,8")))
        << problem.toStdString();
    EXPECT_EQ(afterBad, before);
    EXPECT_TRUE(stayedOpen);
    const QString after = LibraryText(m_dir.path());
    EXPECT_TRUE(after.contains(QStringLiteral("Tool:        2\nName:        Finishing 35 deg VNMG 0.2\nShape:       V\n"
                                              "Radius:      0.8\n")))
        << after.toStdString();
    EXPECT_TRUE(after.contains(QStringLiteral("Radius:      3\n")));  // the others kept
    // with the fields the table does not show
    EXPECT_TRUE(after.contains(QStringLiteral("Kind:        drill\nDiameter:    8\nPoint:       90\n")));
}
