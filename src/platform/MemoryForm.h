// A form and a text pane held in memory, for tests and the command-line tool.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Form.h"

class CMemoryFormControl;

class CMemoryForm : public CForm {
public:
    explicit CMemoryForm(CRect client = CRect(0, 0, 800, 260));
    ~CMemoryForm() override;
    CMemoryForm(const CMemoryForm&) = delete;
    CMemoryForm& operator=(const CMemoryForm&) = delete;

    CRect GetClientRect() const override { return m_rcClient; }
    void SetClientRect(CRect rc) { m_rcClient = rc; }
    std::unique_ptr<CFormControl> CreateControl(const CFormControlSpec& spec) override;

    // Live controls in creation order.
    std::vector<CMemoryFormControl*> GetControls() const;
    // The first live control with this identifier and kind, or null.
    CMemoryFormControl* Find(int id, FormControlKind kind) const;
    // The first live control showing exactly this text, or null.
    CMemoryFormControl* FindByText(const std::string& text) const;
    size_t GetCreatedCount() const { return m_nCreated; }

    struct CRegistry {
        std::vector<CMemoryFormControl*> controls;
    };

private:
    CRect m_rcClient;
    std::shared_ptr<CRegistry> m_pRegistry;
    size_t m_nCreated = 0;
};

class CMemoryFormControl : public CFormControl {
public:
    CMemoryFormControl(const CFormControlSpec& spec, std::weak_ptr<CMemoryForm::CRegistry> registry);
    ~CMemoryFormControl() override;
    CMemoryFormControl(const CMemoryFormControl&) = delete;
    CMemoryFormControl& operator=(const CMemoryFormControl&) = delete;

    std::string GetText() const override { return m_spec.strText; }
    void SetText(const std::string& text) override { m_spec.strText = text; }
    const CFormControlSpec& GetSpec() const override { return m_spec; }

private:
    CFormControlSpec m_spec;
    std::weak_ptr<CMemoryForm::CRegistry> m_pRegistry;
};

class CMemoryTextWindow : public CTextWindow {
public:
    void SetText(const std::string& text) override {
        m_strText = text;
        ++m_nSets;
    }
    const std::string& GetText() const { return m_strText; }
    int GetSetCount() const { return m_nSets; }

private:
    std::string m_strText;
    int m_nSets = 0;
};
