// Stored texts and integers of the window placement and of the bar states.
#include "shell/FrameLayoutStore.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/SettingsStore.h"

std::string CFrameLayoutStore::FormatRect(const CRect& rc) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d %04d %04d %04d", rc.left, rc.top, rc.right, rc.bottom);
    return buf;
}

std::optional<CRect> CFrameLayoutStore::ParseRect(const std::string& text) {
    // The four numbers are read as blank-separated integers: for four-digit fields that is the
    // same as reading at the offsets 0, 5, 10 and 15, and a wider field (a negative position
    // beyond -999, a coordinate of five digits) no longer shifts the others.
    std::istringstream in(text);
    long long v[4];
    for (long long& n : v) {
        if (!(in >> n)) {
            return std::nullopt;
        }
        n = std::clamp<long long>(n, -kRoundLimit, kRoundLimit);
    }
    return CRect(static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1]), static_cast<int32_t>(v[2]),
                 static_cast<int32_t>(v[3]));
}

void CFrameLayoutStore::SavePlacement(CSettingsStore& store, const CWindowPlacement& placement) {
    store.WriteString(kPlacementSection, "Rect", FormatRect(placement.rcNormal));
    store.WriteInt(kPlacementSection, "icon", placement.nIcon);
    store.WriteInt(kPlacementSection, "max", placement.nMax);
}

std::optional<CWindowPlacement> CFrameLayoutStore::LoadPlacement(const CSettingsStore& store) {
    const std::string text = store.GetString(kPlacementSection, "Rect", "");
    if (text.empty()) {
        return std::nullopt;
    }
    std::optional<CRect> rc = ParseRect(text);
    if (!rc) {
        return std::nullopt;
    }
    CWindowPlacement placement;
    placement.rcNormal = *rc;
    placement.nIcon = store.GetInt(kPlacementSection, "icon", 0);
    placement.nMax = store.GetInt(kPlacementSection, "max", 0);
    return placement;
}

void CFrameLayoutStore::SaveBarState(CSettingsStore& store, bool dialogBar, const std::string& key,
                                     const CBarState& state) {
    const char* section = dialogBar ? kDialogBarSection : kToolBarSection;
    CRect rc = state.rc;
    if (state.bFloating) {
        rc.top -= kCaptionHeight;
        rc.bottom -= kCaptionHeight;
    }
    store.WriteString(section, key, FormatRect(rc));
    store.WriteInt(section, key + "Floating", state.bFloating);
    store.WriteInt(section, key + "Visible", state.bVisible);
}

CBarState CFrameLayoutStore::LoadBarState(const CSettingsStore& store, bool dialogBar, const std::string& key,
                                          int screenWidth, int screenHeight) {
    const char* section = dialogBar ? kDialogBarSection : kToolBarSection;
    CBarState state;
    std::optional<CRect> rc = ParseRect(store.GetString(section, key, ""));
    if (rc) {
        state.rc = *rc;
    } else if (dialogBar) {
        state.rc = CRect(kDefaultDialogBarCorner, kDefaultDialogBarCorner, kDefaultDialogBarCorner,
                         kDefaultDialogBarCorner);
    }
    state.rc = BringOnScreen(state.rc, screenWidth, screenHeight);
    state.bFloating = store.GetInt(section, key + "Floating", dialogBar ? 1 : 0);
    state.bVisible = store.GetInt(section, key + "Visible", 0);
    return state;
}

bool CFrameLayoutStore::HasBarRect(const CSettingsStore& store, bool dialogBar, const std::string& key) {
    return ParseRect(store.GetString(dialogBar ? kDialogBarSection : kToolBarSection, key, "")).has_value();
}

CRect CFrameLayoutStore::BringOnScreen(CRect rc, int screenWidth, int screenHeight) {
    // The rectangle keeps its size and lands with its far edge on the screen's edge.
    if (rc.left > screenWidth - kScreenMargin) {
        const int width = rc.Width();
        rc.left = std::max(0, screenWidth - std::max(width, kScreenMargin));
        rc.right = rc.left + width;
    }
    if (rc.top > screenHeight - kScreenMargin) {
        const int height = rc.Height();
        rc.top = std::max(0, screenHeight - std::max(height, kScreenMargin));
        rc.bottom = rc.top + height;
    }
    return rc;
}
