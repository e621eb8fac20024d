// The CNC programming window: program edits mark the document modified, new programs' names and
// the code view, and panels whose help text fits.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <random>

#include "AppFixture.h"
#include "GuiDriver.h"
#include "UserInput.h"
#include "document/KestrovelDoc.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/Command.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/PreProcesorEdit.h"
#include "shell/PreProcesorView.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"

namespace {

class ProgramWindow : public CAppFixture {
protected:

    // Starts on a new drawing (or a copy of the sample) and opens the CNC window.
    CChildProcFrame& Open(bool sample = false) {
        m_pApp = MakeApp();
        m_pApp->Messages().SetInterceptor(
            [](const std::string&, const std::string&, MessageIcon, MessageButtons buttons) {
                return buttons == MessageButtons::YesNoCancel ? MessageAnswer::No : MessageAnswer::Ok;
            });
        QStringList args;
        if (sample) {
            const QString copy = m_dir.filePath(QStringLiteral("shaft.kst"));
            QFile::copy(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst"), copy);
            args << copy;
        } else {
            OnNextDialog<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) { d.accept(); });
        }
        EXPECT_TRUE(m_pApp->InitInstance(args));
        Frame().resize(1100, 760);
        Settle();
        Frame().Route(kCmdCncProgramming);
        Settle();
        return *dynamic_cast<CChildProcFrame*>(Frame().Mdi()->activeSubWindow());
    }
    CMainFrame& Frame() { return *m_pApp->GetMainFrame(); }
    CKestrovelDoc& Doc() { return m_pApp->Documents()[0]->Doc(); }
    CProgramList& Programs() { return *CProgramDocument::GetList(Doc()); }
    CProgram& Active() { return *Programs().GetActiveProgram(); }

    static void Choose(CQtControlBar& bar, int id, const std::string& entry) {
        auto* combo = qobject_cast<QComboBox*>(bar.Widget(id));
        const int index = bar.FindStringExact(id, entry);
        ASSERT_GE(index, 0) << entry;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void Press(CQtControlBar& bar, int id) {
        QTest::mouseClick(qobject_cast<QPushButton*>(bar.Widget(id)), Qt::LeftButton);
    }
    static void TypeName(CQtControlBar& bar, const QString& name) {
        UserInput::TypeAndEnter(bar.Widget(IDC_PROG_NAME), name);
    }

};

}  // namespace

TEST_F(ProgramWindow, EveryProgramEditMarksTheDocumentModifiedCompilingDoesNot) {
    CChildProcFrame& cnc = Open();
    CQtControlBar& bar = cnc.Bar();
    EXPECT_TRUE(Doc().IsModified()) << "the window made \"New Program1\"";
    auto edit = [&](const char* what, const std::function<void()>& action, bool modifies) {
        Doc().SetModifiedFlag(false);
        action();
        EXPECT_EQ(Doc().IsModified(), modifies) << what;
    };
    edit(
        "post-processor", [&] { Choose(bar, IDC_PROG_POST, "LinuxCNC lathe"); }, true);
    edit(
        "add command",
        [&] {
            qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_TEMPLATES))
                ->setCurrentRow(bar.FindStringExact(IDC_PROG_TEMPLATES, "Tool change"));
            Press(bar, IDC_PROG_ADD);
        },
        true);
    edit(
        "compile", [&] { Frame().Route(kCmdProgramCompile); }, false);
    edit(
        "insert command",
        [&] {
            qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_TEMPLATES))
                ->setCurrentRow(bar.FindStringExact(IDC_PROG_TEMPLATES, "Spindle stop"));
            Press(bar, IDC_PROG_INSERT);
        },
        true);
    edit(
        "re-edit without a change",
        [&] {
            Press(bar, IDC_EDIT_COMMAND);
            QTest::mouseClick(cnc.FormView().findChild<QPushButton*>(QString::number(IDC_SAVE_REEDITED)),
                              Qt::LeftButton);
        },
        false);
    edit(
        "re-edit",
        [&] {
            qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_COMMANDS))->setCurrentRow(1);
            Press(bar, IDC_EDIT_COMMAND);
            auto* field = cnc.FormView().findChild<QLineEdit*>(QString::number(3232));
            ASSERT_NE(field, nullptr);
            field->setText(QStringLiteral("7"));
            QTest::mouseClick(cnc.FormView().findChild<QPushButton*>(QString::number(IDC_SAVE_REEDITED)),
                              Qt::LeftButton);
        },
        true);
    edit(
        "delete command", [&] { Press(bar, IDC_DELETE_COMMAND); }, true);
    edit(
        "rename", [&] { TypeName(bar, QStringLiteral("Roughing")); }, true);
    edit(
        "number", [&] { qobject_cast<QSpinBox*>(bar.Widget(IDC_PROG_NUMBER))->setValue(20); }, true);
    edit(
        "note",
        [&] {
            Press(bar, IDC_NOTE_SHOW);
            cnc.FormView()
                .findChild<QPlainTextEdit*>(QString::number(kNoteEditId))
                ->setPlainText(QStringLiteral("x"));
            Press(bar, IDC_NOTE_SAVE);
        },
        true);
    edit(
        "new program", [&] { Frame().Route(kCmdProgramNew); }, true);
    edit(
        "choose a program", [&] { Choose(bar, IDC_PROG_SELECT, "Roughing"); }, false);
}

TEST_F(ProgramWindow, ModifiedFollowsEveryChangeOfTheProgramsOverRandomSessions) {
    // The rule over random sequences of window actions: the flag is set exactly when an action
    // since the last save changed what a save writes of the programs.
    CChildProcFrame& cnc = Open();
    CQtControlBar& bar = cnc.Bar();
    std::mt19937 random(7);
    auto pick = [&random](std::initializer_list<const char*> options) {
        return std::string(options.begin()[random() % options.size()]);
    };
    for (int session = 0; session < 25; ++session) {
        Doc().SetModifiedFlag(false);
        bool expected = false;
        for (int step = 0; step < 12; ++step) {
            const int action = static_cast<int>(random() % 9);
            bool changes = false;
            std::string what;
            if (action == 0) {
                what = "new program";
                Frame().Route(kCmdProgramNew);
                changes = true;
            } else if (action == 1) {
                const std::string name = pick({"A", "B", "New Program1", ""});
                what = "rename to '" + name + "'";
                changes = !name.empty() && name != Active().GetName();
                TypeName(bar, QString::fromStdString(name));
            } else if (action == 2) {
                const int number = 10 * static_cast<int>(1 + random() % 3);
                what = "number " + std::to_string(number);
                changes = number != Active().GetNumber();
                qobject_cast<QSpinBox*>(bar.Widget(IDC_PROG_NUMBER))->setValue(number);
            } else if (action == 3) {
                const std::string note = pick({"", "x", "y"});
                what = "note '" + note + "'";
                changes = note != Active().GetNote();
                Press(bar, IDC_NOTE_SHOW);
                cnc.FormView()
                    .findChild<QPlainTextEdit*>(QString::number(kNoteEditId))
                    ->setPlainText(QString::fromStdString(note));
                Press(bar, IDC_NOTE_SAVE);
            } else if (action == 4) {
                const std::string post = pick({"LinuxCNC lathe", "Fanuc-style lathe"});
                what = "post-processor " + post;
                changes = post != Active().GetPostName();
                Choose(bar, IDC_PROG_POST, post);
            } else if (action == 5) {
                what = "add Spindle stop";
                const int row = bar.FindStringExact(IDC_PROG_TEMPLATES, "Spindle stop");
                changes = row >= 0 && Active().GetPostName() != "none";
                if (row >= 0) {
                    qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_TEMPLATES))->setCurrentRow(row);
                    Press(bar, IDC_PROG_ADD);
                }
            } else if (action == 6) {
                what = "delete the first command";
                changes = !Active().GetCommands().empty();
                qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_COMMANDS))->setCurrentRow(0);
                Press(bar, IDC_DELETE_COMMAND);
            } else if (action == 7) {
                what = "compile";
                Frame().Route(kCmdProgramCompile);
            } else {
                what = "choose a program";
                const int count = bar.GetCount(IDC_PROG_SELECT);
                Choose(bar, IDC_PROG_SELECT,
                       bar.GetEntry(IDC_PROG_SELECT, static_cast<int>(random() % count)));
            }
            expected = expected || changes;
            ASSERT_EQ(Doc().IsModified(), expected)
                << "session " << session << ", step " << step << ": " << what;
        }
    }
}

TEST_F(ProgramWindow, ProgramEditsAreAskedForOnExit) {
    CChildProcFrame& cnc = Open();
    std::vector<std::string> questions;
    m_pApp->Messages().SetInterceptor(
        [&questions](const std::string& text, const std::string&, MessageIcon, MessageButtons) {
            questions.push_back(text);
            return MessageAnswer::Cancel;
        });
    const QString path = m_dir.filePath(QStringLiteral("part.kst"));
    ASSERT_TRUE(m_pApp->SaveDocumentAs(*m_pApp->Documents()[0], path));
    // A name typed and not yet left: the menu does not take the focus, the name still counts.
    qobject_cast<QLineEdit*>(cnc.Bar().Widget(IDC_PROG_NAME))->setText(QStringLiteral("Roughing"));
    Frame().Route(kCmdAppExit);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Save changes to part.kst?");
    EXPECT_EQ(Active().GetName(), "Roughing");
}

TEST_F(ProgramWindow, NewProgramsTakeTheNextFreeNameAndTheCodeViewFollowsTheProgram) {
    CChildProcFrame& cnc = Open(true);
    CQtControlBar& bar = cnc.Bar();
    ASSERT_EQ(bar.GetText(IDC_PROG_SELECT), "Shaft finish");
    Frame().Route(kCmdProgramCompile);
    const QString compiled = cnc.CodeView().toPlainText();
    ASSERT_FALSE(compiled.isEmpty());

    Frame().Route(kCmdProgramNew);
    EXPECT_EQ(bar.GetText(IDC_PROG_SELECT), "New Program1");
    EXPECT_EQ(bar.GetText(IDC_PROG_NAME), "New Program1");
    EXPECT_TRUE(cnc.CodeView().toPlainText().isEmpty()) << "a new program has no code yet";
    TypeName(bar, QStringLiteral("Roughing"));
    Frame().Route(kCmdProgramNew);
    EXPECT_EQ(bar.GetText(IDC_PROG_SELECT), "New Program1") << "the name is free again";
    Frame().Route(kCmdProgramNew);
    EXPECT_EQ(bar.GetText(IDC_PROG_SELECT), "New Program2");
    std::vector<std::string> names;
    for (int i = 0; i < bar.GetCount(IDC_PROG_SELECT); ++i) {
        names.push_back(bar.GetEntry(IDC_PROG_SELECT, i));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Shaft finish", "Roughing", "New Program1", "New Program2"}));

    Choose(bar, IDC_PROG_SELECT, "Shaft finish");
    EXPECT_EQ(cnc.CodeView().toPlainText(), compiled) << "the program's own last compilation";
    Choose(bar, IDC_PROG_SELECT, "Roughing");
    EXPECT_TRUE(cnc.CodeView().toPlainText().isEmpty());
}

TEST_F(ProgramWindow, PanelHelpTextsFitWholly) {
    CChildProcFrame& cnc = Open();
    CQtControlBar& bar = cnc.Bar();
    for (const char* post : {"LinuxCNC lathe", "Fanuc-style lathe"}) {
        Choose(bar, IDC_PROG_POST, post);
        for (int row = 0; row < bar.GetCount(IDC_PROG_TEMPLATES); ++row) {
            const std::string name = bar.GetEntry(IDC_PROG_TEMPLATES, row);
            qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_TEMPLATES))->setCurrentRow(row);
            for (const char* panel : {"new", "re-edit"}) {
                if (std::string(panel) == "re-edit") {
                    // Fill the fields the panel leaves empty, add, and open the command again.
                    for (QLineEdit* e : cnc.FormView().findChildren<QLineEdit*>(QString::number(3232))) {
                        if (e->text().isEmpty()) {
                            e->setText(QStringLiteral("1"));
                        }
                    }
                    Press(bar, IDC_PROG_ADD);
                    auto* list = qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_COMMANDS));
                    ASSERT_GT(list->count(), 0) << name;
                    list->setCurrentRow(list->count() - 1);
                    Press(bar, IDC_EDIT_COMMAND);
                }
                Settle();
                auto* help = cnc.FormView().findChild<QLabel*>(QString::number(kPanelHelpTextId));
                ASSERT_NE(help, nullptr) << name << " " << panel;
                EXPECT_GE(help->height(), help->heightForWidth(help->width())) << name << " " << panel;
                EXPECT_LE(help->geometry().bottom(), cnc.FormView().height()) << name << " " << panel;
            }
        }
    }
}
