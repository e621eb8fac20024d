// The sentence of status pane 0 that tells the user what the active tool expects next.
#pragma once

#include <string>

struct CEditState;

// One short sentence for the editing state: tool, mouse mode, fast or slow editing, and whether
// an element or a range is being worked on.
std::string NextStepPrompt(const CEditState& state);
