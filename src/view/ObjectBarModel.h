// CObjectBarModel: what the "Object properties" bar does to the view's active element.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ControlBar.h"

class CKestrovelView;
class CPiece;

class CObjectBarModel {
public:
    // Velocity and feed are whole numbers in this range.
    static constexpr int32_t kRateMin = 0;
    static constexpr int32_t kRateMax = 99999;

    explicit CObjectBarModel(CKestrovelView& view) : m_view(view) {}

    // A notification of the object bar; false when the control is not one of the bar's.
    bool OnNotify(CControlBar& bar, int id, BarNotify what);

    // Entry k of the object box (0 is "No selection").
    void SelectObject(int entry);
    void LockChanged(int lock, int state);
    // A point field (0...6: start Z, start X, end Z, end X, I, J, radius) lost the focus.
    void FieldLeft(int field);
    // Velocity (speed) or Feed list selection.
    void RateChanged(CControlBar& bar, int id, int entry);
    void LeaveChanged(CControlBar& bar, int entry);
    // "Read Values": the typed values go to the working copy; false (nothing changed, the
    // reason in the status bar) when a typed value is refused.
    bool ReadValues(CControlBar& bar);
    // Enter in a point, radius, velocity, feed or 3D-leave field: the values are read as
    // "Read Values" reads them (a text typed over a fixed entry of a list is a typed value).
    void EnterPressed(CControlBar& bar, int id);

    // The typed values not yet read (Tab, OK in slow mode): read now; false when refused.
    bool ReadPendingValues();

    // Largest radial coordinate a point field takes: the radius of the largest stock.
    static constexpr int32_t kMaxRadial = 10000000;

private:
    // A typed point field's text is a number within the drawing's limits; otherwise the status
    // bar names the accepted range and false comes back.
    bool CheckTypedField(const CControlBar& bar, int field) const;
    // Makes a text typed over a fixed entry of Velocity, Feed or 3D Leave the typed value.
    static void TakeTypedText(CControlBar& bar, int id);
    // The velocity or feed value of the box; none after a wrong text (the message is shown).
    std::optional<int32_t> ReadRate(const CControlBar& bar, int id, const char* message) const;
    std::optional<int32_t> ReadLeave(const CControlBar& bar) const;
    void ShowError(const char* text) const;
    // After a bar edit: both flags set (values pending only when asked).
    CPiece* ActiveForEdit(bool pending);

    CKestrovelView& m_view;
    // Point fields typed into since the values were last read or shown.
    bool m_bTyped[7] = {};
};
