// Run-time controls on a Qt widget: labels, edit fields, multi-line edits and push buttons.
#include "shell/QtForm.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/QtText.h"

namespace {

// Marks a text that got more height than its layout gave it.
constexpr const char* kGrownProperty = "grownToFit";

Qt::Alignment AlignmentOf(FormAlign align) {
    switch (align) {
        case FormAlign::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
        case FormAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

CQtFormControl::~CQtFormControl() {
    QWidget* host = m_pWidget ? m_pWidget->parentWidget() : nullptr;
    delete m_pWidget.data();
    if (host) {
        CQtForm::FitHost(host);
    }
}

std::string CQtFormControl::GetText() const {
    if (!m_pWidget) {
        return m_spec.strText;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget)) {
        return FromQ(edit->text());
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(m_pWidget)) {
        return FromQ(text->toPlainText());
    }
    if (auto* button = qobject_cast<QPushButton*>(m_pWidget)) {
        return FromQ(button->text());
    }
    if (auto* label = qobject_cast<QLabel*>(m_pWidget)) {
        return FromQ(label->text());
    }
    return m_spec.strText;
}

void CQtFormControl::SetText(const std::string& text) {
    m_spec.strText = text;
    const QString s = ToQ(text);
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget)) {
        edit->setText(s);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(m_pWidget)) {
        plain->setPlainText(s);
    } else if (auto* button = qobject_cast<QPushButton*>(m_pWidget)) {
        button->setText(s);
    } else if (auto* label = qobject_cast<QLabel*>(m_pWidget)) {
        label->setText(s);
    }
}

CQtForm::CQtForm(QWidget* host, const QFont& titleFont, const QFont& textFont)
    : m_pHost(host), m_titleFont(titleFont), m_textFont(textFont) {}

CRect CQtForm::GetClientRect() const {
    return m_pHost ? CRect(0, 0, m_pHost->width(), m_pHost->height()) : CRect();
}

std::unique_ptr<CFormControl> CQtForm::CreateControl(const CFormControlSpec& spec) {
    if (!m_pHost) {
        return std::make_unique<CQtFormControl>(spec, nullptr);
    }
    QWidget* w = nullptr;
    const QString text = ToQ(spec.strText);
    switch (spec.kind) {
        case FormControlKind::Edit: {
            auto* edit = new QLineEdit(text, m_pHost);
            edit->setAlignment(AlignmentOf(spec.align));
            w = edit;
            break;
        }
        case FormControlKind::MultiLineEdit: {
            auto* edit = new QPlainTextEdit(text, m_pHost);
            w = edit;
            break;
        }
        case FormControlKind::PushButton: {
            auto* button = new QPushButton(text, m_pHost);
            const int id = spec.nId;
            QObject::connect(button, &QPushButton::clicked, button, [this, id]() {
                if (m_onClick) {
                    m_onClick(id);
                }
            });
            w = button;
            break;
        }
        default: {
            auto* label = new QLabel(text, m_pHost);
            label->setAlignment(AlignmentOf(spec.align));
            if (spec.bSunken) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            }
            w = label;
            break;
        }
    }
    w->setObjectName(QString::number(spec.nId));
    w->setFont(spec.font == FormFont::Title ? m_titleFont : m_textFont);
    const CRect& r = spec.rcBounds;
    QRect geometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
    if (auto* label = qobject_cast<QLabel*>(w)) {
        // Wrapping is decided in the label's own font; a wrapped text (the panels' help) that
        // needs more lines than its box holds gets the height it needs, and the form grows.
        label->setWordWrap(geometry.height() > 2 * label->fontMetrics().height());
        const int needed = label->wordWrap() ? label->heightForWidth(geometry.width()) : 0;
        if (needed > geometry.height()) {
            geometry.setHeight(needed);
            label->setProperty(kGrownProperty, true);
        }
    }
    w->setGeometry(geometry);
    w->show();
    FitHost(m_pHost);
    return std::make_unique<CQtFormControl>(spec, w);
}

void CQtForm::FitHost(QWidget* host) {
    // The form is at least as tall as a grown text needs; the splitter holding it follows. The
    // other controls were placed inside the form as it is.
    int bottom = 0;
    for (QWidget* child : host->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property(kGrownProperty).toBool()) {
            bottom = std::max(bottom, child->geometry().bottom() + 1 + kBottomMargin);
        } else if (const auto* label = qobject_cast<QLabel*>(child); label && label->wordWrap()) {
            // A text placed while an earlier panel had grown the form keeps the form that tall:
            // shrinking under it would cut its last lines off.
            bottom = std::max(bottom, child->geometry().bottom() + 1);
        }
    }
    host->setMinimumHeight(bottom);
}
