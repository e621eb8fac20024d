// CParameter: one typed-in number of a command, with its label, key, rules and stored value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Archive.h"
#include "platform/Form.h"

class CMessages;

// Control identifiers of a parameter row; every row uses the same two.
enum : int { kParamLabelId = 31231, kParamEditId = 3232 };

class CParameter {
public:
    // For loading only: the record fills every field.
    CParameter() = default;
    CParameter(std::string label, std::string key, int hasValue, int32_t value, std::string spec);
    // Copies the label, key, flag, stored value and specification; no controls.
    CParameter(const CParameter& other);
    CParameter& operator=(const CParameter&) = delete;

    // Parses an item-file definition line such as "Feed"@<F>(YN>0<5000)?100. Lines that lack one
    // of the delimiters @ < > ( ) ? in that order give null.
    static std::unique_ptr<CParameter> FromDefinition(const std::string& line);
    // The default value text after "?": digits before the first "." and after it, everything
    // else skipped, no sign; value x 10000 truncated (saturated at the int range).
    static int32_t ParseDefault(const std::string& text);

    const char* GetRuntimeClass() const { return "CParameter"; }
    // The parameter record without its leading tag on loading; with it on storing.
    void Serialize(CArchive& ar);

    const std::string& GetKey() const { return m_strKey; }
    const std::string& GetLabel() const { return m_strLabel; }
    const std::string& GetSpec() const { return m_strSpec; }
    int HasValue() const { return m_bHasValue; }
    int32_t GetRawValue() const { return m_nValue; }
    // Sets the stored number only; the has-value flag stays.
    void SetRawValue(int32_t value) { m_nValue = value; }

    // 2000000.0 when key is not this parameter's, the value in millimetres when set, else 1000000.0.
    double GetValue(const std::string& key) const;
    // The text an input field shows for the stored value: empty, "%d" or "%.3f".
    std::string FormatStoredValue() const;

    // Creates the right-aligned label in row and the input field right of it.
    void CreateControls(CForm& form, const CRect& row, int rowNumber);
    void DestroyControls();
    CFormControl* GetEdit() const { return m_pEdit.get(); }
    CFormControl* GetLabelControl() const { return m_pLabel.get(); }

    // Reads the input field (an absent field reads as empty), checks it against the
    // specification and stores it; messages go to the given sink. 1 accepted, 0 refused.
    int Validate(CMessages* messages);
    // Validation of a text without controls (the rules of Validate).
    int ValidateText(const std::string& text, CMessages* messages);

    std::string m_strSpec;
    std::unique_ptr<CFormControl> m_pEdit;
    std::unique_ptr<CFormControl> m_pLabel;
    int32_t m_nValue = 0;
    int m_bHasValue = 0;
    std::string m_strKey;
    std::string m_strLabel;

private:
    int Refuse(CMessages* messages, const char* text);
};
