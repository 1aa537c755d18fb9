// TForm: a top-level window built from its description (FormResource.h). The form owns its
// components (the objects behind its published pointer fields), their fonts and its window, and
// destroys them all in its destructor.
//
//   class TForm2 : public TForm
//   {
//   public:
//       explicit TForm2(TComponent* Owner);   // body: CreateFromResource(Form2Resource());
//       TButton* Button1 = nullptr;           // set by the description
//       void Button1Click(TObject* Sender);
//   };
#pragma once

#include "Control.h"
#include "Drawing.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

template <class F>
class TFormResource;

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl
{
public:
    explicit TForm(TComponent* Owner);
    ~TForm() override;

    Property<TForm, AnsiString, &TForm::GetText, &TForm::SetText> Caption{this};

    // Raised on the first showing, after the window became visible. An exception that escapes
    // it is shown in the exception box and the showing goes on.
    TNotifyEvent OnShow;
    // Raised by every close request (close box, Alt+F4, Close()); clearing CanClose keeps the
    // form open.
    TCloseQueryEvent OnCloseQuery;

    // Makes the form visible (raising OnShow the first time) and gives it the focus.
    void Show();
    // Asks the form to close: OnCloseQuery, then the form hides; closing the main form ends
    // the application's loop once control is back in it.
    void Close();

    // Moves the focus to the next (or previous) control in tab order; false when there is none.
    bool SelectNext(bool forward);

    static TForm* FromHandle(HWND window);
    HBRUSH BackgroundBrush() const override { return background_.Get(); }

protected:
    // Builds the window and the components from a description; called once, from the
    // constructor of the derived form (F is that form's class).
    template <class F>
    void CreateFromResource(const TFormResource<F>& resource);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateHandle(const TCreateContext&) override {}

private:
    friend class TApplication;

    void CreateFormWindow(const TFormProps& props);
    // Creates one component's window inside parent and takes ownership; a null parent (not
    // created yet) raises Exception.
    TControl* AddComponent(std::unique_ptr<TControl> component, TWinControl* parent,
                           const TComponentProps& props);
    void FinishCreation();
    HFONT FontFor(const TFontDesc& desc);
    std::vector<TControl*> TabSequence() const;
    void CollectTabStops(const TWinControl& container, std::vector<TControl*>& out) const;
    // Tab, Shift+Tab, Enter on a focused button; from the application's loop.
    bool HandleDialogKey(WPARAM key);

    std::vector<std::unique_ptr<TControl>> components_;
    std::vector<std::pair<TFontDesc, TFontHandle>> fonts_;
    TFontDesc fontDesc_;
    TBrushHandle background_;
    bool shown_ = false;
    HWND savedFocus_ = nullptr;  // the focus while another window was active
};
