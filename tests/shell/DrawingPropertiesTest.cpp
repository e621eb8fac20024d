// The "Drawing properties" dialog: conversions, spin steps, unit/accuracy rules and the size check.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "UserInput.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/UpDown.h"

namespace {

template <class T>
T* Child(QWidget& parent, int id) {
    return parent.findChild<T*>(QString::number(id));
}

QToolButton* Arrow(QWidget& dialog, int spin, const char* which) {
    return Child<CUpDown>(dialog, spin)->findChild<QToolButton*>(QString::fromLatin1(which));
}

}  // namespace

TEST(DrawingPropertiesLogic, ShowsAndReadsLengthsInTheDisplayUnit) {
    CDrawingPropertiesLogic mm;
    EXPECT_EQ(mm.ShowLength(9000000), "900");
    CDrawingPropertiesLogic inches({254000, 2000000, 0, 3, 2});
    EXPECT_EQ(inches.GetFormat(), "%3.3f") << "the fields show the accuracy's decimals from the start";
    EXPECT_EQ(inches.ShowLength(254000), "1.000");

    CDrawingPropertiesLogic cm({9000000, 2000000, 0, 0, 0});
    int32_t v = 7;
    EXPECT_TRUE(cm.ReadLength("12.5", v));
    EXPECT_EQ(v, 1250000);
    EXPECT_TRUE(mm.ReadLength("1 2", v));
    EXPECT_EQ(v, 120000) << "spaces are skipped";
    v = 7;
    EXPECT_FALSE(mm.ReadLength("12a", v));
    EXPECT_FALSE(mm.ReadLength("-3", v));
    EXPECT_EQ(v, 7) << "a text that is no number keeps the value";
}

TEST(DrawingPropertiesLogic, OneSpinStepIsOneAccuracyStepOfTheUnit) {
    CDrawingPropertiesLogic teenth({9000000, 2000000, 0, 1, 1});
    EXPECT_EQ(teenth.SpinStep(), 1000);
    EXPECT_EQ(teenth.OnSpin(CDrawingPropertiesLogic::kSpinLength, 5001, 9000000), 9001000);
    EXPECT_EQ(teenth.OnSpin(CDrawingPropertiesLogic::kSpinLength, 4999, 9001000), 8999000);
    EXPECT_EQ(teenth.OnSpin(CDrawingPropertiesLogic::kSpinBase, 5003, 100), 3100)
        << "each spin has its own position";

    CDrawingPropertiesLogic inches({9000000, 2000000, 0, 2, 2});
    EXPECT_EQ(inches.SpinStep(), 2540);
    EXPECT_EQ(inches.OnSpin(CDrawingPropertiesLogic::kSpinBase, 4990, 10000), 0) << "no negative stock";
}

TEST(DrawingPropertiesLogic, MillimetresDropTheFourthAccuracy) {
    CDrawingPropertiesLogic logic({9000000, 2000000, 0, 3, 0});
    EXPECT_TRUE(logic.HasFourthAccuracy());
    logic.SetUnits(1);
    EXPECT_FALSE(logic.HasFourthAccuracy());
    EXPECT_EQ(logic.Values().nAccuracy, 2);
    EXPECT_EQ(logic.GetFormat(), "%3.2f");
    logic.SetUnits(2);
    EXPECT_EQ(logic.Values().nAccuracy, 2) << "going back offers thousandths but does not choose it";
}

TEST(DrawingPropertiesLogic, SizeLimitsAndTheirMessage) {
    CDrawingPropertiesLogic logic({50000000, 20000000, 0, 0, 1});
    EXPECT_FALSE(logic.IsTooBig());
    logic.Values().nBase = 20000001;
    EXPECT_TRUE(logic.IsTooBig());
    logic.Values() = {50000001, 20000000, 0, 0, 1};
    EXPECT_TRUE(logic.IsTooBig());
    EXPECT_EQ(
        logic.TooBigMessage(),
        "You have assigned too big source material. Maximum range for source material is - Height:5000, "
        "Base:2000");
    CDrawingPropertiesLogic cm({1, 1, 0, 1, 0});
    EXPECT_EQ(
        cm.TooBigMessage(),
        "You have assigned too big source material. Maximum range for source material is - Height:500.0, "
        "Base:200.0");
}

TEST(DrawingPropertiesLogic, StartingValuesComeFromTheSettings) {
    CMemorySettingsStore store;
    EXPECT_EQ(CDrawingPropertiesLogic::FromSettings(&store), CDrawingPropertiesValues{});
    store.WriteInt("Document", "Delka", 1000000);
    store.WriteInt("Document", "Podstava", 500000);
    store.WriteInt("Document", "Tvar", 1);
    store.WriteInt("KestrovelViewState", "Units", 2);
    store.WriteInt("KestrovelViewState", "Accuracy", 3);
    EXPECT_EQ(CDrawingPropertiesLogic::FromSettings(&store),
              (CDrawingPropertiesValues{1000000, 500000, 1, 3, 2}));
}

TEST(DrawingPropertiesDialog, TypedFieldsSpinsListsAndTheSizeCheck) {
    CRecordingMessages messages;
    CDrawingPropertiesDialog dialog({9000000, 2000000, 1, 0, 1}, &messages, nullptr);
    auto* height = Child<QLineEdit>(dialog, CDrawingPropertiesDialog::IDC_HEIGHT);
    auto* base = Child<QLineEdit>(dialog, CDrawingPropertiesDialog::IDC_BASE);
    auto* accuracy = Child<QComboBox>(dialog, CDrawingPropertiesDialog::IDC_DP_ACCURACY);
    auto* units = Child<QComboBox>(dialog, CDrawingPropertiesDialog::IDC_DP_UNITS);
    ASSERT_TRUE(height && base && accuracy && units);
    EXPECT_EQ(height->text(), QStringLiteral("900"));
    EXPECT_TRUE(Child<QRadioButton>(dialog, CDrawingPropertiesDialog::IDC_CYLINDER)->isChecked());
    EXPECT_EQ(accuracy->count(), 3);

    ASSERT_TRUE(UserInput::ShowInFront(dialog));
    auto* ok = Child<QPushButton>(dialog, CDrawingPropertiesDialog::IDC_DP_OK);

    UserInput::TypeInto(height, QStringLiteral("950"));
    UserInput::Key(height, Qt::Key_Tab);
    EXPECT_FALSE(height->hasFocus());
    EXPECT_EQ(dialog.Values().nLength, 9500000) << "leaving the field reads it";

    ASSERT_TRUE(UserInput::TabTo(accuracy));
    UserInput::Key(accuracy, Qt::Key_Down);
    EXPECT_EQ(height->text(), QStringLiteral("950.0"));
    UserInput::Click(Arrow(dialog, CDrawingPropertiesDialog::IDC_BASE_SPIN, "up"));
    EXPECT_EQ(dialog.Values().nBase, 2001000);
    EXPECT_EQ(base->text(), QStringLiteral("200.1"));

    ASSERT_TRUE(UserInput::TabTo(units));
    UserInput::Key(units, Qt::Key_Down);
    EXPECT_EQ(dialog.Values().nUnits, 2);
    EXPECT_EQ(accuracy->count(), 4);
    EXPECT_EQ(accuracy->itemText(3), QStringLiteral("0.001 in"));

    UserInput::TypeInto(base, QStringLiteral("100"));  // 100 inches: more than 2000 mm
    UserInput::Click(ok);
    ASSERT_EQ(messages.GetBoxes().size(), 1u);
    EXPECT_EQ(messages.GetBoxes()[0].strCaption, "Too big source material");
    EXPECT_EQ(messages.GetBoxes()[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    UserInput::TypeInto(base, QStringLiteral("10"));
    UserInput::Click(ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Values().nBase, 2540000);
    EXPECT_EQ(dialog.Values().nShape, 1);
}

TEST(DrawingPropertiesDialog, ASpinArrowStepsFromTheTypedText) {
    CDrawingPropertiesDialog dialog({9000000, 2000000, 0, 0, 1}, nullptr, nullptr);
    ASSERT_TRUE(UserInput::ShowInFront(dialog));
    auto* height = Child<QLineEdit>(dialog, CDrawingPropertiesDialog::IDC_HEIGHT);
    UserInput::TypeInto(height, QStringLiteral("300"));
    // The arrows take no focus: the field has not been left when the arrow is clicked.
    UserInput::Click(Arrow(dialog, CDrawingPropertiesDialog::IDC_HEIGHT_SPIN, "down"));
    EXPECT_TRUE(height->hasFocus());
    EXPECT_EQ(dialog.Values().nLength, 2990000);
    EXPECT_EQ(height->text(), QStringLiteral("299"));
}

TEST(DrawingPropertiesDialog, EmptyOrWrongLengthsAreRefused) {
    CRecordingMessages messages;
    CDrawingPropertiesDialog dialog({9000000, 2000000, 0, 0, 1}, &messages, nullptr);
    dialog.show();
    auto* height = Child<QLineEdit>(dialog, CDrawingPropertiesDialog::IDC_HEIGHT);
    auto* base = Child<QLineEdit>(dialog, CDrawingPropertiesDialog::IDC_BASE);
    const char* refusedLength[] = {"", "  ", "0", "12a"};
    for (const char* text : refusedLength) {
        height->setText(QString::fromLatin1(text));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << "length '" << text << "'";
        EXPECT_EQ(dialog.Values().nLength, 9000000) << "length '" << text << "'";
    }
    height->setText(QStringLiteral("300"));
    base->setText(QString());
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "an empty base";
    EXPECT_EQ(dialog.Values().nBase, 2000000);
    EXPECT_TRUE(messages.GetBoxes().empty()) << "only the size check speaks";

    base->setText(QStringLiteral("0"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "a flat stock is a stock";
    EXPECT_EQ(dialog.Values().nLength, 3000000);
    EXPECT_EQ(dialog.Values().nBase, 0);
}

TEST(DrawingPropertiesDialog, FieldsNameTheirUnitAndHeightIsTheLengthAlongZ) {
    CDrawingPropertiesDialog dialog({9000000, 2000000, 0, 0, 1}, nullptr, nullptr);
    auto* heightUnit = dialog.findChild<QLabel*>(QStringLiteral("HeightUnit"));
    auto* baseUnit = dialog.findChild<QLabel*>(QStringLiteral("BaseUnit"));
    ASSERT_TRUE(heightUnit && baseUnit);
    EXPECT_EQ(heightUnit->text(), QStringLiteral("mm"));
    ASSERT_TRUE(UserInput::ShowInFront(dialog));
    auto* units = Child<QComboBox>(dialog, CDrawingPropertiesDialog::IDC_DP_UNITS);
    ASSERT_TRUE(UserInput::TabTo(units));
    UserInput::Key(units, Qt::Key_Down);
    EXPECT_EQ(heightUnit->text(), QStringLiteral("inches"));
    EXPECT_EQ(baseUnit->text(), QStringLiteral("inches"));
    EXPECT_TRUE(Child<QLineEdit>(dialog, CDrawingPropertiesDialog::IDC_HEIGHT)
                    ->toolTip()
                    .contains(QStringLiteral("along Z")));
}
