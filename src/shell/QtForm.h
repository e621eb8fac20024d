// CQtForm: controls created at run time on a widget (the CNC form's parameter panel and note).
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/Form.h"

class CQtFormControl : public CFormControl {
public:
    CQtFormControl(const CFormControlSpec& spec, QWidget* widget) : m_spec(spec), m_pWidget(widget) {}
    // Removes the control from its window, if the window is still there.
    ~CQtFormControl() override;

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    const CFormControlSpec& GetSpec() const override { return m_spec; }
    QWidget* Widget() const { return m_pWidget; }

private:
    CFormControlSpec m_spec;
    QPointer<QWidget> m_pWidget;
};

class CQtForm : public CForm {
public:
    // Push buttons created on the form report their identifiers here.
    using CClickHandler = std::function<void(int id)>;

    CQtForm(QWidget* host, const QFont& titleFont, const QFont& textFont);

    CRect GetClientRect() const override;
    std::unique_ptr<CFormControl> CreateControl(const CFormControlSpec& spec) override;
    void SetClickHandler(CClickHandler handler) { m_onClick = std::move(handler); }
    // The host's minimum height: below its lowest shown control, so that no control is clipped.
    static void FitHost(QWidget* host);
    static constexpr int kBottomMargin = 4;
    QWidget* Host() const { return m_pHost; }

private:
    QPointer<QWidget> m_pHost;
    QFont m_titleFont;
    QFont m_textFont;
    CClickHandler m_onClick;
};
