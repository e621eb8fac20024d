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
    // "Read Values": the typed values go to the working copy.
    void ReadValues(CControlBar& bar);
    // Enter in a point, radius, velocity, feed or 3D-leave field: the values are read as
    // "Read Values" reads them (a text typed over a fixed entry of a list is a typed value).
    void EnterPressed(CControlBar& bar, int id);

private:
    // The velocity or feed value of the box; none after a wrong text (the message is shown).
    std::optional<int32_t> ReadRate(const CControlBar& bar, int id, const char* message) const;
    std::optional<int32_t> ReadLeave(const CControlBar& bar) const;
    void ShowError(const char* text) const;
    // After a bar edit: both flags set (values pending only when asked).
    CPiece* ActiveForEdit(bool pending);

    CKestrovelView& m_view;
};
