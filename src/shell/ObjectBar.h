// CObjectBar: the "Object properties" bar showing and editing the active element.
#pragma once

#include <QList>

#include "shell/DialogBar.h"

class QLabel;

class CObjectBar : public CDialogBar {
    Q_OBJECT
public:
    explicit CObjectBar(QWidget* parent);
    static constexpr const char* kStateName = "ObjectDialogBar";

    // The unit the point and radius fields are in, shown beside each of them.
    void SetUnitName(const QString& unit);

private:
    QList<QLabel*> m_unitLabels;
};
