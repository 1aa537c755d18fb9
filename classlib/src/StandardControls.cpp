#include "StandardControls.h"

#include "Control.h"

// ---- TButton ----

void TButton::CreateHandle(const TCreateContext& context)
{
    Attach(CreateChild(context, "BUTTON", BS_PUSHBUTTON), context);
}

bool TButton::HandleCommand(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    if (OnClick)
        OnClick(this);
    return true;
}

// ---- TLabel ----

void TLabel::CreateHandle(const TCreateContext& context)
{
    Attach(CreateChild(context, "STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX), context);
}

HBRUSH TLabel::HandleCtlColor(UINT message, HDC dc)
{
    SetTextColor(dc, ColorToRGB(fontColor_));
    SetBkMode(dc, TRANSPARENT);
    return parent_->BackgroundBrush();
}

// ---- TCheckBox ----

void TCheckBox::CreateHandle(const TCreateContext& context)
{
    Attach(CreateChild(context, "BUTTON", BS_AUTOCHECKBOX), context);
    if (context.Props.Checked)
        SendMessageA(handle_, BM_SETCHECK, BST_CHECKED, 0);
}

bool TCheckBox::GetChecked() const
{
    return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    if (handle_)
        SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::HandleCommand(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    if (OnClick)
        OnClick(this);
    return true;
}

HBRUSH TCheckBox::HandleCtlColor(UINT message, HDC dc)
{
    SetTextColor(dc, ColorToRGB(fontColor_));
    SetBkMode(dc, TRANSPARENT);
    return parent_->BackgroundBrush();
}
