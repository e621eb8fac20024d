// The form seam: controls a window creates and destroys at run time (panels, note editor, buttons).
#pragma once

#include <memory>
#include <string>

#include "platform/Geometry.h"

enum class FormControlKind { Static, Edit, MultiLineEdit, PushButton };
enum class FormAlign { Left, Center, Right };
// The window supplies the two fonts; callers only name the role.
enum class FormFont { Title, Text };

// Everything a window needs to create one control. Rectangles are client pixels.
struct CFormControlSpec {
    int nId = 0;
    FormControlKind kind = FormControlKind::Static;
    CRect rcBounds;
    std::string strText;
    FormAlign align = FormAlign::Left;
    FormFont font = FormFont::Text;
    bool bSunken = false;  // sunken client edge (input fields)
};

// One control on a form. Destroying the object removes the control from its window; a window
// implementation must tolerate controls that outlive it (then there is nothing left to remove).
class CFormControl {
public:
    virtual ~CFormControl() = default;
    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual const CFormControlSpec& GetSpec() const = 0;
};

// A window area in which controls are created at run time. Push buttons report their clicks to
// the window by identifier; that routing is the window's own business.
class CForm {
public:
    virtual ~CForm() = default;
    virtual CRect GetClientRect() const = 0;
    virtual std::unique_ptr<CFormControl> CreateControl(const CFormControlSpec& spec) = 0;
};

// A read-only text pane (the compiled-code view).
class CTextWindow {
public:
    virtual ~CTextWindow() = default;
    virtual void SetText(const std::string& text) = 0;
};
