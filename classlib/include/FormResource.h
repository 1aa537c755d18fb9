// The form description ("form resource"): a declarative table per window. It names the form's
// properties and, per component, the published pointer field it fills, its parent, bounds, texts
// (UTF-8, converted to the ANSI code page when the window is created), font, tab order,
// kind-specific style and the handlers it binds. Members and handlers are named as member
// pointers, so a wrong field or a handler of the wrong shape does not compile.
//
//   const TFormResource<TForm2>& Form2Resource()
//   {
//       static const TFontDesc bold = {"Arial", -16, EASTEUROPE_CHARSET, fsBold, clBlack};
//       static const TFormResource<TForm2> resource = TFormResource<TForm2>()
//           .Caption(u8"Upozornění").BorderStyle(bsDialog).ClientSize(502, 182)
//           .Position(poDesktopCenter).Color(clBtnFace).Font({"Tahoma", -11})
//           .OnShow(&TForm2::FormShow)
//           .Components({
//               Component(&TForm2::PageControl1).Align(alClient).TabStyle(tsFlatButtons)
//                   .ActivePage(&TForm2::shtBackupRequest),
//               Component(&TForm2::shtBackupRequest).In(&TForm2::PageControl1).TabVisible(false),
//               Component(&TForm2::Label1).In(&TForm2::shtBackupRequest)
//                   .Bounds(98, 16, 367, 19).Caption(u8"Je vhodné ...").Font(bold),
//               Component(&TForm2::Button1).In(&TForm2::shtBackupRequest)
//                   .Bounds(131, 123, 99, 40).Caption(u8"Ano").TabOrder(0)
//                   .OnClick(&TForm2::Button1Click),
//           });
//       return resource;
//   }
//
//   TForm2::TForm2(TComponent* Owner) : TForm(Owner) { CreateFromResource(Form2Resource()); }
//
// Components are created in the order listed; a parent must come before its children. Write
// texts as u8"..." literals so they stay UTF-8 whatever the compiler's execution character set.
#pragma once

#include "ComponentProps.h"
#include "DatePicker.h"
#include "Form.h"
#include "Image.h"
#include "ListView.h"
#include "PageControl.h"
#include "StandardControls.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <type_traits>
#include <vector>

// One component of a description, its type erased.
template <class F>
struct TComponentEntry
{
    TComponentProps Props;
    std::function<std::unique_ptr<TControl>()> Make;
    std::function<void(F&, TControl*)> Assign;  // fills the published field
    std::function<TWinControl*(F&)> Parent;     // empty: the form itself
    std::vector<std::function<void(F&)>> Bindings;  // events and references, after creation
};

// The typed builder of one component of kind C, filling the field `C* F::*`.
template <class F, class C>
class TComponentDesc : public TComponentEntry<F>
{
    template <class... K>
    static constexpr bool is = (std::is_same_v<C, K> || ...);

public:
    explicit TComponentDesc(C* F::*member) : member_(member)
    {
        this->Make = [] { return std::unique_ptr<TControl>(new C); };
        this->Assign = [member](F& form, TControl* control) {
            form.*member = static_cast<C*>(control);
        };
    }

    // Position and size in the parent's client area.
    TComponentDesc& Bounds(int left, int top, int width, int height)
    {
        this->Props.Left = left;
        this->Props.Top = top;
        this->Props.Width = width;
        this->Props.Height = height;
        return *this;
    }
    TComponentDesc& Align(TAlign align) { this->Props.Align = align; return *this; }
    TComponentDesc& Font(const TFontDesc& font) { this->Props.Font = font; return *this; }
    TComponentDesc& TabOrder(int order) { this->Props.TabOrder = order; return *this; }
    TComponentDesc& Enabled(bool enabled) { this->Props.Enabled = enabled; return *this; }
    TComponentDesc& Visible(bool visible) { this->Props.Visible = visible; return *this; }

    // The parent: a sheet of a page control for controls, the page control for a sheet.
    template <class P>
    TComponentDesc& In(P* F::*parent)
    {
        if constexpr (std::is_same_v<C, TTabSheet>)
            static_assert(std::is_same_v<P, TPageControl>, "a sheet lies in a page control");
        else
            static_assert(std::is_same_v<P, TTabSheet>, "a control lies in a sheet or the form");
        this->Parent = [parent](F& form) -> TWinControl* { return form.*parent; };
        return *this;
    }

    TComponentDesc& Caption(const char* utf8)
    {
        static_assert(is<TButton, TLabel, TCheckBox, TTabSheet>, "this kind has no caption");
        this->Props.Caption = utf8;
        return *this;
    }
    TComponentDesc& Text(const char* utf8)
    {
        static_assert(is<TComboBox>, "only a combo box has an edit text");
        this->Props.Caption = utf8;
        return *this;
    }

    // Buttons and check boxes.
    TComponentDesc& OnClick(void (F::*handler)(TObject*))
    {
        static_assert(is<TButton, TCheckBox>, "OnClick belongs to buttons and check boxes");
        Bind([handler](F& form, C& c) {
            c.OnClick = [&form, handler](TObject* sender) { (form.*handler)(sender); };
        });
        return *this;
    }
    TComponentDesc& Checked(bool checked)
    {
        static_assert(is<TCheckBox>, "only a check box is checked");
        this->Props.Checked = checked;
        return *this;
    }

    // Combo boxes.
    TComponentDesc& Style(TComboBoxStyle style)
    {
        static_assert(is<TComboBox>, "combo box style");
        this->Props.ComboStyle = style;
        return *this;
    }
    TComponentDesc& ItemHeight(int height)
    {
        static_assert(is<TComboBox>, "combo box item height");
        this->Props.ItemHeight = height;
        return *this;
    }

    // List views.
    TComponentDesc& ViewStyle(TViewStyle style) { ListOnly(); this->Props.ViewStyle = style; return *this; }
    TComponentDesc& Column(const char* utf8Caption, int width, int minWidth = 0)
    {
        ListOnly();
        this->Props.Columns.push_back({utf8Caption, width, minWidth});
        return *this;
    }
    TComponentDesc& ReadOnly(bool on) { ListOnly(); this->Props.ReadOnly = on; return *this; }
    TComponentDesc& RowSelect(bool on) { ListOnly(); this->Props.RowSelect = on; return *this; }
    TComponentDesc& MultiSelect(bool on) { ListOnly(); this->Props.MultiSelect = on; return *this; }
    TComponentDesc& HideSelection(bool on) { ListOnly(); this->Props.HideSelection = on; return *this; }
    TComponentDesc& ShowWorkAreas(bool on) { ListOnly(); this->Props.ShowWorkAreas = on; return *this; }
    TComponentDesc& OnSelectItem(void (F::*handler)(TObject*, TListItem*, bool))
    {
        ListOnly();
        Bind([handler](F& form, C& c) {
            c.OnSelectItem = [&form, handler](TObject* s, TListItem* item, bool selected) {
                (form.*handler)(s, item, selected);
            };
        });
        return *this;
    }
    TComponentDesc& OnColumnClick(void (F::*handler)(TObject*, TListColumn*))
    {
        ListOnly();
        Bind([handler](F& form, C& c) {
            c.OnColumnClick = [&form, handler](TObject* s, TListColumn* column) {
                (form.*handler)(s, column);
            };
        });
        return *this;
    }
    TComponentDesc& OnCompare(void (F::*handler)(TObject*, TListItem*, TListItem*, int, int&))
    {
        ListOnly();
        Bind([handler](F& form, C& c) {
            c.OnCompare = [&form, handler](TObject* s, TListItem* a, TListItem* b, int data,
                                           int& compare) { (form.*handler)(s, a, b, data, compare); };
        });
        return *this;
    }

    // Page controls.
    TComponentDesc& TabPosition(TTabPosition position)
    {
        PagesOnly();
        this->Props.TabPosition = position;
        return *this;
    }
    TComponentDesc& TabStyle(TTabStyle style) { PagesOnly(); this->Props.TabStyle = style; return *this; }
    TComponentDesc& ActivePage(TTabSheet* F::*sheet)
    {
        PagesOnly();
        Bind([sheet](F& form, C& c) { c.ActivePage = form.*sheet; });
        return *this;
    }
    TComponentDesc& OnChange(void (F::*handler)(TObject*))
    {
        PagesOnly();
        Bind([handler](F& form, C& c) {
            c.OnChange = [&form, handler](TObject* sender) { (form.*handler)(sender); };
        });
        return *this;
    }

    // Tab sheets.
    TComponentDesc& TabVisible(bool visible)
    {
        static_assert(is<TTabSheet>, "only a sheet has a tab");
        this->Props.TabVisible = visible;
        return *this;
    }

    // Images.
    TComponentDesc& Picture(int resourceId)
    {
        ImageOnly();
        this->Props.ImageKind = TImageKind::Picture;
        this->Props.ResourceId = resourceId;
        return *this;
    }
    TComponentDesc& Icon(int resourceId)
    {
        ImageOnly();
        this->Props.ImageKind = TImageKind::Icon;
        this->Props.ResourceId = resourceId;
        return *this;
    }
    TComponentDesc& Transparent(bool on) { ImageOnly(); this->Props.Transparent = on; return *this; }

private:
    void ListOnly() const { static_assert(is<TListView>, "a list view property"); }
    void PagesOnly() const { static_assert(is<TPageControl>, "a page control property"); }
    void ImageOnly() const { static_assert(is<TImage>, "an image property"); }

    template <class B>
    void Bind(B bind)
    {
        C* F::*member = member_;
        this->Bindings.push_back([member, bind](F& form) { bind(form, *(form.*member)); });
    }

    C* F::*member_;
};

// Starts the description of the component that fills `field`.
template <class F, class C>
TComponentDesc<F, C> Component(C* F::*field)
{
    return TComponentDesc<F, C>(field);
}

// The description of a form of class F.
template <class F>
class TFormResource
{
public:
    TFormResource& Caption(const char* utf8) { Form.Caption = utf8; return *this; }
    TFormResource& BorderStyle(TFormBorderStyle style) { Form.BorderStyle = style; return *this; }
    TFormResource& ClientSize(int width, int height)
    {
        Form.ClientWidth = width;
        Form.ClientHeight = height;
        return *this;
    }
    TFormResource& Position(TPosition position) { Form.Position = position; return *this; }
    TFormResource& Origin(int left, int top) { Form.Left = left; Form.Top = top; return *this; }
    TFormResource& Color(TColor color) { Form.Color = color; return *this; }
    TFormResource& Font(const TFontDesc& font) { Form.Font = font; return *this; }
    TFormResource& OnShow(void (F::*handler)(TObject*))
    {
        Bindings.push_back([handler](F& form) {
            form.OnShow = [&form, handler](TObject* sender) { (form.*handler)(sender); };
        });
        return *this;
    }
    TFormResource& OnCloseQuery(void (F::*handler)(TObject*, bool&))
    {
        Bindings.push_back([handler](F& form) {
            form.OnCloseQuery = [&form, handler](TObject* sender, bool& canClose) {
                (form.*handler)(sender, canClose);
            };
        });
        return *this;
    }
    TFormResource& Components(std::initializer_list<TComponentEntry<F>> components)
    {
        Entries.insert(Entries.end(), components.begin(), components.end());
        return *this;
    }

    TFormProps Form;
    std::vector<TComponentEntry<F>> Entries;
    std::vector<std::function<void(F&)>> Bindings;
};

template <class F>
void TForm::CreateFromResource(const TFormResource<F>& resource)
{
    static_assert(std::is_base_of_v<TForm, F>, "a form description describes a form");
    F& self = static_cast<F&>(*this);
    CreateFormWindow(resource.Form);
    for (const TComponentEntry<F>& entry : resource.Entries) {
        TWinControl* parent = entry.Parent ? entry.Parent(self) : this;
        TControl* control = AddComponent(entry.Make(), parent, entry.Props);
        entry.Assign(self, control);
    }
    for (const TComponentEntry<F>& entry : resource.Entries)
        for (const auto& bind : entry.Bindings)
            bind(self);
    for (const auto& bind : resource.Bindings)
        bind(self);
    FinishCreation();
}
