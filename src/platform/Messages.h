// The message seam: modal message boxes and debug traces.
#pragma once

#include <string>
#include <vector>

enum class MessageIcon { None, Error, Stop, Warning, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class CMessages {
public:
    virtual ~CMessages() = default;
    virtual MessageAnswer MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                     MessageButtons buttons) = 0;
    virtual void Trace(const std::string& text) = 0;
};

// Records every box and trace; answers each box with a fixed answer (OK unless told).
class CRecordingMessages : public CMessages {
public:
    struct Box {
        std::string strText;
        std::string strCaption;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void Trace(const std::string& text) override { m_traces.push_back(text); }

    void SetAnswer(MessageAnswer answer) { m_answer = answer; }
    const std::vector<Box>& GetBoxes() const { return m_boxes; }
    const std::vector<std::string>& GetTraces() const { return m_traces; }
    void Clear() {
        m_boxes.clear();
        m_traces.clear();
    }

private:
    std::vector<Box> m_boxes;
    std::vector<std::string> m_traces;
    MessageAnswer m_answer = MessageAnswer::Ok;
};

// Prints each box as "caption: text" on standard error; traces are dropped unless verbose.
class CStderrMessages : public CMessages {
public:
    explicit CStderrMessages(bool verbose = false) : m_bVerbose(verbose) {}
    MessageAnswer MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void Trace(const std::string& text) override;
    int GetBoxCount() const { return m_nBoxes; }
    // While quiet, boxes are counted but not printed: the caller says what happened in its own words.
    void SetQuiet(bool quiet) { m_bQuiet = quiet; }
    const std::string& GetLastText() const { return m_strLast; }

private:
    bool m_bVerbose;
    bool m_bQuiet = false;
    std::string m_strLast;
    int m_nBoxes = 0;
};
