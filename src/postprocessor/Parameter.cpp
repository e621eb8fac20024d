// Parameter values: the definition line, validation of typed text, display and persistence.
#include "postprocessor/Parameter.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Messages.h"
#include "postprocessor/ScaledDecimal.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// strtod over the text, 0 when it holds no number: how a typed value is read as a real.
double ReadReal(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

}  // namespace

CParameter::CParameter(std::string label, std::string key, int hasValue, int32_t value, std::string spec)
    : m_strSpec(std::move(spec)),
      m_nValue(value),
      m_bHasValue(hasValue),
      m_strKey(std::move(key)),
      m_strLabel(std::move(label)) {}

CParameter::CParameter(const CParameter& other)
    : m_strSpec(other.m_strSpec),
      m_nValue(other.m_nValue),
      m_bHasValue(other.m_bHasValue),
      m_strKey(other.m_strKey),
      m_strLabel(other.m_strLabel) {}

std::unique_ptr<CParameter> CParameter::FromDefinition(const std::string& line) {
    // Each delimiter is looked for after the previous one, so a label may itself hold "<" or "?".
    const size_t at = line.find('@');
    if (at == std::string::npos) {
        return nullptr;
    }
    const size_t lt = line.find('<', at + 1);
    const size_t gt = lt == std::string::npos ? lt : line.find('>', lt + 1);
    const size_t open = gt == std::string::npos ? gt : line.find('(', gt + 1);
    const size_t close = open == std::string::npos ? open : line.find(')', open + 1);
    const size_t question = close == std::string::npos ? close : line.find('?', close + 1);
    if (question == std::string::npos) {
        return nullptr;
    }
    std::string label = at >= 2 ? line.substr(1, at - 2) : std::string();
    std::string key = line.substr(lt + 1, gt - lt - 1);
    std::string spec = line.substr(open + 1, close - open - 1);
    if (question + 1 == line.size()) {
        return std::make_unique<CParameter>(std::move(label), std::move(key), 0, 0, std::move(spec));
    }
    const int32_t value = ParseDefault(line.substr(question + 1));
    return std::make_unique<CParameter>(std::move(label), std::move(key), 1, value, std::move(spec));
}

int32_t CParameter::ParseDefault(const std::string& text) {
    const size_t dot = text.find('.');
    CScaledDecimal value;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            continue;
        }
        if (dot == std::string::npos || i < dot) {
            value.AddWholeDigit(text[i] - '0');
        } else {
            value.AddFractionDigit(text[i] - '0');
        }
    }
    return value.GetScaled();
}

double CParameter::GetValue(const std::string& key) const {
    if (key != m_strKey) {
        return 2000000.0;
    }
    return m_bHasValue ? m_nValue / 10000.0 : 1000000.0;
}

std::string CParameter::FormatStoredValue() const {
    if (!m_bHasValue) {
        return "";
    }
    char buf[64];
    if (m_nValue % 10000 == 0) {
        std::snprintf(buf, sizeof buf, "%d", m_nValue / 10000);
    } else {
        std::snprintf(buf, sizeof buf, "%.3f", m_nValue / 10000.0);
    }
    return buf;
}

void CParameter::CreateControls(CForm& form, const CRect& row, int rowNumber) {
    (void)rowNumber;
    CFormControlSpec label;
    label.nId = kParamLabelId;
    label.kind = FormControlKind::Static;
    label.rcBounds = row;
    label.strText = m_strLabel;
    label.align = FormAlign::Right;
    label.font = FormFont::Text;
    m_pLabel = form.CreateControl(label);

    CFormControlSpec edit;
    edit.nId = kParamEditId;
    edit.kind = FormControlKind::Edit;
    edit.rcBounds = CRect(row.right + 5, row.top, row.right + 105, row.bottom);
    edit.strText = FormatStoredValue();
    edit.align = FormAlign::Left;
    edit.font = FormFont::Text;
    edit.bSunken = true;
    m_pEdit = form.CreateControl(edit);
}

void CParameter::DestroyControls() {
    m_pLabel.reset();
    m_pEdit.reset();
}

int CParameter::Refuse(CMessages* messages, const char* text) {
    m_bHasValue = 0;
    if (messages) {
        messages->MessageBox(text, "Parameter: " + m_strLabel, MessageIcon::Error, MessageButtons::Ok);
    }
    return 0;
}

int CParameter::Validate(CMessages* messages) {
    return ValidateText(m_pEdit ? m_pEdit->GetText() : std::string(), messages);
}

int CParameter::ValidateText(const std::string& typed, CMessages* messages) {
    if (typed.empty()) {
        m_bHasValue = 0;
        if (m_strSpec.empty() || m_strSpec[0] == 'N') {
            return 1;
        }
        return Refuse(messages, "This parametr is obligatory! Please, enter proper value.");
    }
    const bool negative = typed[0] == '-';
    const std::string text = negative ? typed.substr(1) : typed;
    const size_t dot = text.find('.');
    CScaledDecimal scaled;
    scaled.SetNegative(negative);
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == dot) {
            continue;
        }
        if (!IsDigit(text[i])) {
            return Refuse(messages, "You have to set number value.");
        }
        if (dot == std::string::npos || i < dot) {
            scaled.AddWholeDigit(text[i] - '0');
        } else {
            scaled.AddFractionDigit(text[i] - '0');
        }
    }
    // The limits are compared with the nearest double of the text, as the limits themselves are
    // read, so a value typed exactly as a limit is never refused by rounding.
    const double value = (negative ? -1.0 : 1.0) * ReadReal(text);
    if (m_strSpec.size() >= 2 && m_strSpec[1] == 'N' && dot != std::string::npos) {
        return Refuse(messages, "This parameter allow only integer value.");
    }
    const size_t gt = m_strSpec.find('>');
    if (gt != std::string::npos && ReadReal(m_strSpec.substr(gt + 1)) > value) {
        return Refuse(messages, "Your value is smaller than smalest proper value!");
    }
    const size_t lt = m_strSpec.find('<');
    if (lt != std::string::npos && ReadReal(m_strSpec.substr(lt + 1)) < value) {
        return Refuse(messages, "Your value is bigger than biggest proper value!");
    }
    m_nValue = scaled.GetScaled();
    m_bHasValue = 1;
    return 1;
}

void CParameter::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("Parameter");
    }
    ar.String(m_strLabel);
    ar.String(m_strSpec);
    ar.Int(m_bHasValue);
    ar.String(m_strKey);
    ar.Int(m_nValue);
}
