// CFrameLayoutStore: the main window's placement and the bars' states in the settings store.
#pragma once

#include <optional>
#include <string>

#include "platform/Geometry.h"

class CSettingsStore;

// Where the main window was: its normal rectangle, and whether it was minimised ("icon") and
// maximised ("max"; for a minimised window: whether it restores to maximised).
struct CWindowPlacement {
    CRect rcNormal;
    int nIcon = 0;
    int nMax = 0;
    bool operator==(const CWindowPlacement&) const = default;
};

// A bar's state: its screen rectangle, whether it floats and whether it is shown.
struct CBarState {
    CRect rc;
    int bFloating = 0;
    int bVisible = 0;
    bool operator==(const CBarState&) const = default;
};

class CFrameLayoutStore {
public:
    static constexpr const char* kPlacementSection = "Window size";
    static constexpr const char* kToolBarSection = "ToolBars";
    static constexpr const char* kDialogBarSection = "DialogBars";
    // A floating bar's rectangle is stored 20 pixels higher: where its caption begins.
    static constexpr int kCaptionHeight = 20;
    static constexpr int kDefaultDialogBarCorner = 150;
    static constexpr int kScreenMargin = 50;

    // "%04d %04d %04d %04d": left, top, right, bottom.
    static std::string FormatRect(const CRect& rc);
    // The four integers of a stored rectangle; none when the text does not hold four.
    static std::optional<CRect> ParseRect(const std::string& text);

    static void SavePlacement(CSettingsStore& store, const CWindowPlacement& placement);
    // None when no rectangle is stored (the window keeps the size the platform gives it).
    static std::optional<CWindowPlacement> LoadPlacement(const CSettingsStore& store);

    // rc is the bar's screen rectangle as it is now.
    static void SaveBarState(CSettingsStore& store, bool dialogBar, const std::string& key,
                             const CBarState& state);
    // The stored state with the defaults of tool bars (hidden, docked, empty rectangle) or of
    // dialog bars (hidden, floating, at 150/150); a rectangle off the right or bottom of the
    // screen comes back onto it.
    static CBarState LoadBarState(const CSettingsStore& store, bool dialogBar, const std::string& key,
                                  int screenWidth, int screenHeight);
    // Whether the bar's rectangle is stored at all (a bar shown for the first time has none).
    static bool HasBarRect(const CSettingsStore& store, bool dialogBar, const std::string& key);
    // Moves a rectangle whose left or top lies beyond the screen less the margin back onto it.
    static CRect BringOnScreen(CRect rc, int screenWidth, int screenHeight);
};
