// The roots of every window object: TObject, TComponent, TControl (a light view of one window,
// owned by its form) and TWinControl (a window that holds other controls: form, page control,
// sheet). Controls are created only by their form, from its description (FormResource.h).
#pragma once

#include "AnsiString.h"
#include "ComponentProps.h"
#include "Drawing.h"
#include "Property.h"

#include <windows.h>

#include <functional>
#include <vector>

class TForm;
class TWinControl;

class TObject
{
public:
    virtual ~TObject() = default;
};

class TComponent : public TObject
{
public:
    explicit TComponent(TComponent* owner = nullptr) : Owner(owner) {}
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner;
};

// Events: every handler gets the control (or form) that raised it as Sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TControl : public TComponent
{
protected:
    HWND GetHandle() const { return handle_; }
    virtual bool GetEnabled() const;
    virtual void SetEnabled(bool enabled);
    virtual bool GetVisible() const;
    virtual void SetVisible(bool visible);
    int GetTabOrder() const { return tabOrder_; }
    TWinControl* GetParent() const { return parent_; }
    AnsiString GetText() const;               // the window text
    void SetText(const AnsiString& text);

public:
    TControl() = default;
    ~TControl() override;

    ReadOnlyProperty<TControl, HWND, &TControl::GetHandle> Handle{this};
    Property<TControl, bool, &TControl::GetEnabled, &TControl::SetEnabled> Enabled{this};
    Property<TControl, bool, &TControl::GetVisible, &TControl::SetVisible> Visible{this};
    ReadOnlyProperty<TControl, int, &TControl::GetTabOrder> TabOrder{this};
    ReadOnlyProperty<TControl, TWinControl*, &TControl::GetParent> Parent{this};

    // The control whose window this is (or one of whose inner windows it is), or null.
    static TControl* FromHandle(HWND window);

protected:
    friend class TForm;
    friend class TWinControl;

    // What the form hands a control when it creates the control's window.
    struct TCreateContext
    {
        TForm& Form;
        TWinControl& Parent;
        const TComponentProps& Props;
        HFONT Font;        // owned by the form
        TColor FontColor;
        RECT Bounds;       // in the parent's client area, alignment applied
    };

    // Creates the window from the description (called once, by the form).
    virtual void CreateHandle(const TCreateContext& context) = 0;
    // Notifications that the parent window receives on the control's behalf.
    virtual bool HandleCommand(WORD code) { return false; }
    virtual bool HandleNotify(NMHDR* header, LRESULT& result) { return false; }
    virtual HBRUSH HandleCtlColor(UINT message, HDC dc) { return nullptr; }
    // The window that takes the focus when the Tab key reaches the control.
    virtual HWND FocusTarget() const { return handle_; }
    // Forgets the window before the form destroys it: no event is raised afterwards.
    virtual void Detach();

    // Binds a freshly created window to this control: lookup, font, enabled, tab order.
    void Attach(HWND window, const TCreateContext& context);
    // Creates a child window of the parent with the context's bounds and the caption in ANSI.
    HWND CreateChild(const TCreateContext& context, const char* windowClass, DWORD style,
                     DWORD exStyle = 0, const char* text = nullptr);

    HWND handle_ = nullptr;
    TForm* form_ = nullptr;
    TWinControl* parent_ = nullptr;
    int tabOrder_ = -1;
    TColor fontColor_ = clWindowText;
};

class TWinControl : public TControl
{
public:
    // The controls created inside this one, in creation order.
    const std::vector<TControl*>& Controls() const { return children_; }
    // The brush its children's transparent parts are painted with.
    virtual HBRUSH BackgroundBrush() const;

protected:
    friend class TForm;
    friend class TControl;

    // Messages of its own window. The default reflects the children's notifications back to
    // them (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR...) and paints the background.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void Detach() override;

    // Creates a window of one of our own classes bound to this object.
    HWND CreateContainer(const char* windowClass, DWORD style, DWORD exStyle, HWND parent,
                         const RECT& bounds, const char* text);
    static void RegisterContainerClass(const char* name);

    std::vector<TControl*> children_;

private:
    static LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
