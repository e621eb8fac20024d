// Status pane 0: one sentence for each tool and mouse mode saying what the user does next.
#include <map>
#include <set>

#include "BarsFixture.h"

namespace {
class StatusPromptTest : public BarsFixture {
protected:
    void SetUp() override { OpenSteppedProfile(); }
    std::string Prompt() { return host.m_status[kPanePrompt]; }
    // Records the sentence of the state reached, under a name for the messages.
    void Note(const std::string& state) { m_prompts[state] = Prompt(); }
    bool Says(const std::string& state, const std::string& words) {
        return m_prompts[state].find(words) != std::string::npos;
    }
    std::map<std::string, std::string> m_prompts;
};
}  // namespace

TEST_F(StatusPromptTest, EveryToolAndModeHasItsOwnShortSentence) {
    Note("idle");
    Command(ID_ZOOM_IN);
    Note("zoom in");
    LeftClick(Px(500));
    UseMillimetrePixels();
    EXPECT_EQ(Prompt(), m_prompts["idle"]) << "the zoom click returns to the mode before";

    LeftClick(Px(500));
    Note("slow, element selected");
    view->OnLButtonDown(kMouseLeft, CPoint(Px(300), Py(100)));
    Note("handle drag");
    view->OnLButtonUp(0, CPoint(Px(320), Py(100)));
    EXPECT_EQ(Prompt(), m_prompts["slow, element selected"]);
    Command(ID_TOOL_MOVE);
    Note("slow, move");
    view->OnLButtonDown(kMouseLeft, CPoint(Px(500), Py(100)));
    Note("move drag");
    view->OnLButtonUp(0, CPoint(Px(510), Py(100)));
    EXPECT_EQ(Prompt(), m_prompts["slow, move"]);
    Command(ID_EDIT_BACK);
    EXPECT_EQ(Prompt(), m_prompts["idle"]);

    Command(ID_TOOL_RANGE);
    Note("slow, range, line");
    Command(ID_TOOL_CIRCLE);  // turns the range into a working arc
    EXPECT_EQ(Prompt(), m_prompts["slow, element selected"]);
    Command(ID_EDIT_BACK);
    Note("slow, no range, arc");
    LeftClick(Px(250));
    Note("slow, range, arc");

    Command(ID_MODE_FAST);
    Command(ID_TOOL_LINE);
    Note("fast, no range, line");
    LeftClick(Px(250));
    Note("fast, start marked, line");
    Command(ID_TOOL_SELECT);
    LeftClick(Px(500));
    Note("fast, element selected");
    Command(ID_TOOL_MOVE);
    Note("fast, move");

    Command(ID_MODE_SLOW);
    Command(ID_TOOL_SELECT);
    Command(ID_TOOL_LINE);
    Note("slow, line without range");

    std::set<std::string> distinct;
    for (const auto& [state, sentence] : m_prompts) {
        SCOPED_TRACE(state);
        EXPECT_FALSE(sentence.empty());
        EXPECT_EQ(sentence.back(), '.');
        EXPECT_LE(sentence.size(), 105u) << sentence;
        distinct.insert(sentence);
    }
    EXPECT_EQ(distinct.size(), m_prompts.size()) << "each state says something of its own";

    EXPECT_TRUE(Says("slow, element selected", "OK applies"));
    EXPECT_TRUE(Says("slow, element selected", "Back discards"));
    EXPECT_TRUE(Says("slow, no range, arc",
                     "Left button marks the range start, right button its end; then Circle makes the arc"));
    EXPECT_TRUE(Says("slow, range, line", "Line makes the line and OK applies it"));
    EXPECT_TRUE(Says("fast, no range, line", "the line is drawn on release"));
    EXPECT_TRUE(Says("slow, line without range", "Range Select"));
}

TEST_F(StatusPromptTest, BarsAndActivationRenewTheSentence) {
    SelectObject(2);
    const std::string selected = Prompt();
    EXPECT_NE(selected.find("OK applies"), std::string::npos);
    host.m_status.clear();
    view->OnActivate();
    EXPECT_EQ(Prompt(), selected);
    // Another layer resets the editing: back to selecting.
    Choose(layerBar, IDC_LAYER, 1);
    EXPECT_NE(Prompt(), selected);
    EXPECT_EQ(view->GetMouseMode(), kModeIdle);
}
