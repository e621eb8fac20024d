// The drawing-aids lists in inches, the labels on the drawing under the diameter read-out, and
// the message for a file that is no drawing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <random>

#include "SampleWindow.h"
#include "UserInput.h"
#include "platform/ControlIds.h"
#include "shell/AidsBar.h"
#include "shell/CommandIds.h"
#include "shell/QtControlBar.h"

using namespace UserInput;

namespace {

class UnitsAndLabels : public CSampleWindowFixture {
protected:
    QComboBox* Combo(int id) { return qobject_cast<QComboBox*>(Frame().AidsBar()->Controls().Widget(id)); }
    void ShowAidsBar() {
        ASSERT_TRUE(ClickMenu(Frame().menuBar(), QStringLiteral("View"), QStringLiteral("Drawing Aids Dialog")));
        Settle();
    }
    static QStringList Entries(QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i) {
            list << combo->itemText(i);
        }
        return list;
    }
};

}  // namespace

TEST_F(UnitsAndLabels, InInchesTheAccuracyAndCursorStepListsNameInchSteps) {
    OpenSample();
    ShowAidsBar();
    ASSERT_TRUE(ChooseEntry(Combo(IDC_UNITS), QStringLiteral("inches")));
    EXPECT_EQ(Entries(Combo(IDC_ACCURACY)),
              (QStringList{QStringLiteral("1 in"), QStringLiteral("0.1 in"), QStringLiteral("0.01 in"),
                           QStringLiteral("0.001 in")}));
    EXPECT_EQ(Entries(Combo(IDC_STEP_HORZ)).last(), QStringLiteral("0.2 in"));
    ASSERT_TRUE(ChooseEntry(Combo(IDC_STEP_HORZ), QStringLiteral("0.1 in")));
    ASSERT_TRUE(ChooseEntry(Combo(IDC_ACCURACY), QStringLiteral("0.001 in")));
    EXPECT_EQ(View().Aids().HorzStep(View().GetUnits()), 25400);
    EXPECT_EQ(View().GetFormat(), "%3.3f");

    ASSERT_TRUE(ChooseEntry(Combo(IDC_UNITS), QStringLiteral("mm")));
    EXPECT_EQ(Entries(Combo(IDC_ACCURACY)),
              (QStringList{QStringLiteral("1 mm"), QStringLiteral("0.1 mm"), QStringLiteral("0.01 mm")}));
    EXPECT_EQ(Combo(IDC_STEP_HORZ)->currentText(), QStringLiteral("2 mm")) << "the step keeps its place";
    EXPECT_EQ(View().Aids().HorzStep(View().GetUnits()), 20000);
}

TEST_F(UnitsAndLabels, TheLabelsOnTheDrawingFollowTheDiameterReadOut) {
    OpenSample();
    ShowAidsBar();
    ASSERT_TRUE(SelectAt(Canvas()->width() / 3));
    const QImage radii = Drawing().Picture().copy();
    auto* diameter = qobject_cast<QCheckBox*>(Frame().AidsBar()->Controls().Widget(IDC_DIAMETER));
    ASSERT_NE(diameter, nullptr);
    Click(diameter, QPoint(8, diameter->height() / 2));
    ASSERT_TRUE(diameter->isChecked());
    Settle();
    EXPECT_NE(Drawing().Picture(), radii) << "the X labels of the selection show diameters";
    Click(diameter, QPoint(8, diameter->height() / 2));
    Settle();
    EXPECT_EQ(Drawing().Picture(), radii);
}

TEST_F(UnitsAndLabels, AFileOfRandomBytesIsNamedNotADrawingWithoutItsContent) {
    OpenSample();
    std::mt19937 random(23);
    QByteArray bytes;
    for (int i = 0; i < 4000; ++i) {
        bytes.append(static_cast<char>(random() & 0xFF));
    }
    const QString path = m_dir.filePath(QStringLiteral("noise.kst"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    std::vector<std::string> texts;
    m_pApp->Messages().SetInterceptor([&texts](const std::string& text, const std::string&, MessageIcon,
                                               MessageButtons) {
        texts.push_back(text);
        return MessageAnswer::Ok;
    });
    UserInput::WhenShown<QFileDialog>([path](QFileDialog& dialog) {
        UserInput::TypeFileName(dialog, path);
    });
    Key(Canvas(), Qt::Key_O, Qt::ControlModifier);
    Settle();
    ASSERT_EQ(texts.size(), 1u);
    const std::string& text = texts[0];
    EXPECT_NE(text.find("not a drawing file"), std::string::npos) << text;
    EXPECT_NE(text.find(path.toStdString()), std::string::npos) << text;
    EXPECT_NE(text.find("at byte "), std::string::npos) << text;
    EXPECT_EQ(text.find("\\x"), std::string::npos) << text;
    EXPECT_EQ(text.find("tag"), std::string::npos) << text;
    EXPECT_LT(text.size(), path.toStdString().size() + 100) << "the file's bytes are no part of it: " << text;
}
