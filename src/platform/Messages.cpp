// The recording and standard-error message sinks.
#include "platform/Messages.h"

#include <cstdio>

MessageAnswer CRecordingMessages::MessageBox(const std::string& text, const std::string& caption,
                                             MessageIcon icon, MessageButtons buttons) {
    m_boxes.push_back(Box{text, caption, icon, buttons});
    return m_answer;
}

MessageAnswer CStderrMessages::MessageBox(const std::string& text, const std::string& caption, MessageIcon,
                                          MessageButtons buttons) {
    ++m_nBoxes;
    m_strLast = text;
    if (m_bQuiet) {
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

void CStderrMessages::Trace(const std::string& text) {
    if (m_bVerbose) {
        std::fputs(text.c_str(), stderr);
    }
}
