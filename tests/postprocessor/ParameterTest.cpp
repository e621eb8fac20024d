// Typed parameter values: validation messages, storage, display and lookup by key.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/MemoryForm.h"
#include "platform/Messages.h"
#include "postprocessor/Command.h"
#include "postprocessor/Parameter.h"

namespace {

struct CValidation {
    int nResult;
    int bHasValue;
    int32_t nValue;
    std::string strMessage;
};

CValidation Check(const std::string& spec, const std::string& text, int32_t before = 777) {
    CParameter p("Depth", "D", 1, before, spec);
    CRecordingMessages messages;
    const int result = p.ValidateText(text, &messages);
    std::string message = messages.GetBoxes().empty() ? "" : messages.GetBoxes()[0].strText;
    if (!messages.GetBoxes().empty()) {
        EXPECT_EQ(messages.GetBoxes()[0].strCaption, "Parameter: Depth");
    }
    return {result, p.HasValue(), p.GetRawValue(), message};
}

}  // namespace

TEST(ParameterValidate, Accepted) {
    const CValidation whole = Check("NN>0<100", "12");
    EXPECT_EQ(whole.nResult, 1);
    EXPECT_EQ(whole.nValue, 120000);
    EXPECT_EQ(whole.bHasValue, 1);
    EXPECT_EQ(Check("NY", "-2.25").nValue, -22500);
    const CValidation dot = Check("NY", ".");
    EXPECT_EQ(dot.nResult, 1);
    EXPECT_EQ(dot.nValue, 0);
    const CValidation tiny = Check("Y", "0.00005");
    EXPECT_EQ(tiny.nResult, 1);
    EXPECT_EQ(tiny.nValue, 0);  // truncated, yet set
    EXPECT_EQ(tiny.bHasValue, 1);
    EXPECT_EQ(Check("Y", "99999999999").nValue, INT32_MAX);
}

TEST(ParameterValidate, EmptyText) {
    for (const char* spec : {"", "N", "NN>0"}) {
        const CValidation v = Check(spec, "");
        EXPECT_EQ(v.nResult, 1) << spec;
        EXPECT_EQ(v.bHasValue, 0) << spec;
        EXPECT_EQ(v.nValue, 777) << spec;
    }
    const CValidation obligatory = Check("YN", "");
    EXPECT_EQ(obligatory.nResult, 0);
    EXPECT_EQ(obligatory.strMessage, "This parametr is obligatory! Please, enter proper value.");
}

TEST(ParameterValidate, RefusedLeaveNoValue) {
    const struct {
        const char* spec;
        const char* text;
        const char* message;
    } cases[] = {
        {"NN", "12.5", "This parameter allow only integer value."},
        {"Y>0", "-3", "Your value is smaller than smalest proper value!"},
        {"Y>0<5000", "5000.5", "Your value is bigger than biggest proper value!"},
        {"Y", "1e3", "You have to set number value."},
        {"Y", " 12", "You have to set number value."},
        {"Y", "12 ", "You have to set number value."},
        {"Y", "1.2.3", "You have to set number value."},
        {"Y", "--1", "You have to set number value."},
    };
    for (const auto& c : cases) {
        const CValidation v = Check(c.spec, c.text);
        EXPECT_EQ(v.nResult, 0) << c.text;
        EXPECT_EQ(v.bHasValue, 0) << c.text;
        EXPECT_EQ(v.nValue, 777) << c.text;  // the stored number is left as it was
        EXPECT_EQ(v.strMessage, c.message) << c.text;
    }
    // A one-character specification is not restricted to whole numbers.
    EXPECT_EQ(Check("Y", "12.5").nResult, 1);
}

// Every two-, three- and four-decimal text of a range is stored as exactly its digits; the
// typed field and an item file's default value agree.
TEST(ParameterExactDecimals, SweepOfTypedTextsAndDefaults) {
    int typedWrong = 0;
    int defaultWrong = 0;
    for (int whole = 0; whole <= 2; ++whole) {
        for (const int decimals : {2, 3, 4}) {
            const int steps = decimals == 2 ? 100 : decimals == 3 ? 1000 : 10000;
            const int scale = 10000 / steps;
            for (int frac = 0; frac < steps; ++frac) {
                char text[32];
                std::snprintf(text, sizeof text, "%d.%0*d", whole, decimals, frac);
                const int32_t expected = whole * 10000 + frac * scale;
                CParameter typed("V", "V", 0, 0, "Y");
                typed.ValidateText(text, nullptr);
                CParameter negative("V", "V", 0, 0, "Y");
                negative.ValidateText(std::string("-") + text, nullptr);
                typedWrong += typed.GetRawValue() != expected || negative.GetRawValue() != -expected;
                const auto defaulted = CParameter::FromDefinition(std::string("\"V\"@<V>(Y)?") + text);
                defaultWrong += defaulted->GetRawValue() != expected;
            }
        }
    }
    EXPECT_EQ(typedWrong, 0);
    EXPECT_EQ(defaultWrong, 0);
    EXPECT_EQ(Check("Y", "2.01").nValue, 20100);
    EXPECT_EQ(Check("Y", "2.35").nValue, 23500);
    EXPECT_EQ(CParameter::ParseDefault("1.001"), 10010);
}

TEST(ParameterExactDecimals, FifthDecimalTruncatesAndLimitsHoldExactly) {
    EXPECT_EQ(Check("Y", "1.00019").nValue, 10001);
    EXPECT_EQ(Check("Y", "-1.00019").nValue, -10001);
    EXPECT_EQ(CParameter::ParseDefault("2.01999"), 20199);
    // A value typed as the limit itself is inside it.
    EXPECT_EQ(Check("Y>2.35", "2.35").nResult, 1);
    EXPECT_EQ(Check("Y<0.3", "0.30").nResult, 1);
    EXPECT_EQ(Check("Y>2.35", "2.3499").nResult, 0);
    EXPECT_EQ(Check("Y", "-99999999999").nValue, INT32_MIN);
}

TEST(ParameterValue, DisplayAndLookup) {
    CParameter p("Feed", "F", 1, 125000, "NY");
    EXPECT_EQ(p.FormatStoredValue(), "12.500");
    EXPECT_DOUBLE_EQ(p.GetValue("F"), 12.5);
    EXPECT_EQ(p.GetValue("f"), 2000000.0);
    p.SetRawValue(-30000);
    EXPECT_EQ(p.FormatStoredValue(), "-3");
    p.ValidateText("", nullptr);
    EXPECT_EQ(p.FormatStoredValue(), "");
    EXPECT_EQ(p.GetValue("F"), 1000000.0);
    p.SetRawValue(50000);
    EXPECT_EQ(p.HasValue(), 0);  // SetRawValue leaves the flag
}

TEST(ParameterValue, CommandLookupFirstKeyDecides) {
    CCommand c("Move", "M", "help");
    EXPECT_EQ(c.GetParamValue("X"), 2000000.0);
    c.AddParameter(std::make_unique<CParameter>("a", "X", 0, 0, "N"));
    c.AddParameter(std::make_unique<CParameter>("b", "X", 1, 10000, "N"));
    c.AddParameter(std::make_unique<CParameter>("c", "Z", 1, 20000, "N"));
    EXPECT_EQ(c.GetParamValue("X"), 1000000.0);
    EXPECT_DOUBLE_EQ(c.GetParamValue("Z"), 2.0);
    EXPECT_EQ(c.GetParamValue("Q"), 2000000.0);
}

TEST(ParameterPanel, RowsTitleAndHelpGeometry) {
    CMemoryForm form(CRect(0, 0, 1000, 300));
    CCommand c("Rapid", "M", "Moves the tool");
    c.AddParameter(std::make_unique<CParameter>("Z", "Z", 1, 125000, "Y"));
    c.AddParameter(std::make_unique<CParameter>("X", "X", 0, 0, "N"));
    c.BuildParameterPanel(form);
    const auto controls = form.GetControls();
    ASSERT_EQ(controls.size(), 7u);
    const CFormControlSpec& title = controls[0]->GetSpec();
    EXPECT_EQ(title.strText, "Parameter list - Rapid");
    EXPECT_EQ(title.rcBounds, CRect(565, 6, 815, 20));  // (1000 - 380) / 2 + 255
    EXPECT_EQ(title.font, FormFont::Title);
    EXPECT_EQ(title.align, FormAlign::Center);
    EXPECT_EQ(controls[1]->GetSpec().rcBounds, CRect(565, 30, 690, 45));
    EXPECT_EQ(controls[1]->GetSpec().align, FormAlign::Right);
    EXPECT_EQ(controls[2]->GetSpec().rcBounds, CRect(695, 30, 795, 45));
    EXPECT_EQ(controls[2]->GetSpec().nId, 3232);
    EXPECT_TRUE(controls[2]->GetSpec().bSunken);
    EXPECT_EQ(controls[2]->GetText(), "12.500");
    EXPECT_EQ(controls[4]->GetText(), "");
    EXPECT_EQ(controls[5]->GetSpec().strText, "Help - Rapid");
    EXPECT_EQ(controls[5]->GetSpec().rcBounds, CRect(565, 90, 815, 105));
    EXPECT_EQ(controls[6]->GetSpec().rcBounds, CRect(565, 105, 815, 280));
    EXPECT_EQ(controls[6]->GetSpec().nId, 31232);
    c.DestroyPanel();
    EXPECT_TRUE(form.GetControls().empty());
}

TEST(ParameterPanel, NarrowFormAndReeditButtonRectangle) {
    CMemoryForm form(CRect(0, 0, 480, 200));
    CCommand c("Cut", "M", "");
    c.AddParameter(std::make_unique<CParameter>("Z", "Z", 1, 10000, "Y"));
    const CRect button = c.BuildReeditPanel(form);
    const auto controls = form.GetControls();
    EXPECT_EQ(controls[0]->GetSpec().strText, "Reediting Parameter list - Cut");
    EXPECT_EQ(controls[0]->GetSpec().rcBounds, CRect(380, 6, 600, 20));
    EXPECT_EQ(controls[3]->GetSpec().rcBounds.top, 45 + 50);  // help title 50 below the next row
    EXPECT_EQ(button, CRect(490 - 80, 45 + 10, 490 + 80, 60 + 15));
}

TEST(ParameterPanel, ValidateReadsTheFieldAndStopsAtFirstRefusal) {
    CMemoryForm form;
    CCommand c("Cut", "M", "");
    c.AddParameter(std::make_unique<CParameter>("A", "A", 0, 0, "Y"));
    c.AddParameter(std::make_unique<CParameter>("B", "B", 0, 0, "Y"));
    c.BuildParameterPanel(form);
    c.GetParameters()[0]->GetEdit()->SetText("x");
    c.GetParameters()[1]->GetEdit()->SetText("");
    CRecordingMessages messages;
    EXPECT_EQ(c.ValidateAll(&messages), 0);
    EXPECT_EQ(messages.GetBoxes().size(), 1u);
    c.GetParameters()[0]->GetEdit()->SetText("4");
    c.GetParameters()[1]->GetEdit()->SetText("5.5");
    EXPECT_EQ(c.ValidateAll(&messages), 1);
    EXPECT_EQ(c.GetParameters()[1]->GetRawValue(), 55000);
    EXPECT_EQ(CCommand("Empty", "", "").ValidateAll(&messages), 1);
}
