// What a form description says about a form and each of its components. Written by
// TFormResource (FormResource.h), read by the controls when the form creates their windows.
// Texts here are UTF-8; they become ANSI when the windows are created.
#pragma once

#include "Drawing.h"

#include <optional>
#include <vector>

enum TFormBorderStyle
{
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,  // fixed dialogue frame with a close box, not resizable
};

enum TPosition
{
    poDesigned,       // at Left, Top
    poDesktopCenter,  // centred on the desktop
};

enum TAlign
{
    alNone,
    alClient,  // fills the client area of its parent
};

enum TComboBoxStyle
{
    csDropDown,      // editable text field with a drop-down list
    csDropDownList,  // pick from the list only
};

enum TViewStyle
{
    vsIcon,
    vsSmallIcon,
    vsList,
    vsReport,
};

enum TTabPosition
{
    tpTop,
    tpBottom,
};

enum TTabStyle
{
    tsTabs,
    tsButtons,
    tsFlatButtons,
};

struct TColumnDesc
{
    const char* Caption;  // UTF-8
    int Width;
    int MinWidth;  // the operator cannot make the column narrower
};

struct TFormProps
{
    const char* Caption = "";  // UTF-8
    TFormBorderStyle BorderStyle = bsSizeable;
    int Left = 0, Top = 0;
    int ClientWidth = 300, ClientHeight = 200;
    TPosition Position = poDesigned;
    TColor Color = clBtnFace;
    TFontDesc Font;
};

enum class TImageKind
{
    None,
    Picture,  // a BITMAP resource; 32-bit bitmaps are blended by their alpha channel
    Icon,     // an ICON resource, loaded at the image's size
};

struct TComponentProps
{
    int Left = 0, Top = 0, Width = 0, Height = 0;
    TAlign Align = alNone;
    const char* Caption = nullptr;  // UTF-8: caption of buttons, labels, check boxes, sheets; combo text
    std::optional<TFontDesc> Font;  // none: the form's font
    int TabOrder = -1;              // -1: not reached with the Tab key
    bool Enabled = true;
    bool Visible = true;
    // check box
    bool Checked = false;
    // combo box
    TComboBoxStyle ComboStyle = csDropDown;
    int ItemHeight = 0;  // 0: the control's own
    // list view
    TViewStyle ViewStyle = vsIcon;
    std::vector<TColumnDesc> Columns;
    bool ReadOnly = false;       // captions cannot be edited in place
    bool RowSelect = false;      // a click selects the whole line
    bool MultiSelect = false;
    bool HideSelection = true;   // selection hidden while the list has no focus
    bool ShowWorkAreas = false;  // kept for the description; report view draws no work areas
    // page control
    TTabPosition TabPosition = tpTop;
    TTabStyle TabStyle = tsTabs;
    // tab sheet
    bool TabVisible = true;
    // image
    TImageKind ImageKind = TImageKind::None;
    int ResourceId = 0;
    bool Transparent = false;
};
