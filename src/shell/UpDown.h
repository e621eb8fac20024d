// CUpDown: a pair of arrow buttons holding a position in a range, beside an edit field.
#pragma once

#include <QWidget>

class CUpDown : public QWidget {
    Q_OBJECT
public:
    CUpDown(int minimum, int maximum, int position, QWidget* parent);

    int GetPos() const { return m_nPos; }
    // Moves to the position (clamped into the range) and tells positionChanged when it moved.
    void SetPos(int position);
    void StepUp() { SetPos(m_nPos + 1); }
    void StepDown() { SetPos(m_nPos - 1); }

signals:
    void positionChanged(int position);

private:
    int m_nMin;
    int m_nMax;
    int m_nPos;
};
