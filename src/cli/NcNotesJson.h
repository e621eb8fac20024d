// The NC reader's notes or errors as JSON, as the commands that read NC print them.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "toolpath/Toolpath.h"

// One object per note: its line and text.
inline nlohmann::json NcNotesJson(const std::vector<CNcNote>& notes) {
    nlohmann::json list = nlohmann::json::array();
    for (const CNcNote& n : notes) {
        list.push_back({{"line", n.nLine}, {"text", n.strText}});
    }
    return list;
}
