// The in-memory form: controls register themselves while they live.
#include "platform/MemoryForm.h"

#include <algorithm>

CMemoryForm::CMemoryForm(CRect client) : m_rcClient(client), m_pRegistry(std::make_shared<CRegistry>()) {}

CMemoryForm::~CMemoryForm() = default;

std::unique_ptr<CFormControl> CMemoryForm::CreateControl(const CFormControlSpec& spec) {
    auto control = std::make_unique<CMemoryFormControl>(spec, m_pRegistry);
    m_pRegistry->controls.push_back(control.get());
    ++m_nCreated;
    return control;
}

std::vector<CMemoryFormControl*> CMemoryForm::GetControls() const { return m_pRegistry->controls; }

CMemoryFormControl* CMemoryForm::Find(int id, FormControlKind kind) const {
    for (CMemoryFormControl* c : m_pRegistry->controls) {
        if (c->GetSpec().nId == id && c->GetSpec().kind == kind) {
            return c;
        }
    }
    return nullptr;
}

CMemoryFormControl* CMemoryForm::FindByText(const std::string& text) const {
    for (CMemoryFormControl* c : m_pRegistry->controls) {
        if (c->GetText() == text) {
            return c;
        }
    }
    return nullptr;
}

CMemoryFormControl::CMemoryFormControl(const CFormControlSpec& spec,
                                       std::weak_ptr<CMemoryForm::CRegistry> registry)
    : m_spec(spec), m_pRegistry(std::move(registry)) {}

CMemoryFormControl::~CMemoryFormControl() {
    if (auto registry = m_pRegistry.lock()) {
        auto& v = registry->controls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}
