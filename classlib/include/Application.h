// The application object: start-up of the UI thread, the forms it owns, the message loop, the
// exception box and modal message boxes.
//
//   Application->Initialize();
//   Application->Title = "Tabulon";
//   Application->CreateForm(frmSearchMain);   // the first form made is the main form
//   Application->Run();                       // until the main form has closed; then the
//                                             // application destroys the forms it made
#pragma once

#include "AnsiString.h"
#include "Control.h"
#include "Exception.h"

#include <windows.h>

#include <memory>
#include <vector>

class TForm;

// The text shown for an exception that is not one of the class library's.
extern const char* const ForeignExceptionText;

class TApplication : public TComponent
{
public:
    TApplication() = default;
    ~TApplication() override;

    // COM on this thread (the shell's folder picker needs it) and the common controls.
    void Initialize();

    // Caption of the exception box (ANSI).
    AnsiString Title;

    // Creates a form owned by the application: reference = new F(this). The first one made
    // while there is no main form becomes the main form.
    template <class F>
    void CreateForm(F*& reference)
    {
        reference = new F(this);
        AdoptForm(reference);
    }

    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and handles messages until it has closed (Terminate); then destroys
    // every form the application made.
    void Run();
    // Handles the messages waiting now, once each, and returns.
    void ProcessMessages();
    // Ends Run's loop once control is back in it.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The exception box: the text, with a full stop added when its last character sorts after
    // ".", captioned with Title, stop icon, OK.
    void ShowException(const Exception& exception);
    void ShowException(const Exception* exception) { ShowException(*exception); }
    // Shows the exception being handled (call inside a catch block only): the class library's
    // with its own text, any other with ForeignExceptionText. Never throws.
    void ShowCurrentException() noexcept;

    // A modal message box owned by the active window; returns the button pressed (IDOK...).
    int ShowMessageBox(const AnsiString& text, const AnsiString& caption, UINT flags);
    // windows.h may turn MessageBox into MessageBoxA: the member answers to both spellings.
    int MessageBoxA(const AnsiString& text, const AnsiString& caption, UINT flags)
    {
        return ShowMessageBox(text, caption, flags);
    }
#pragma push_macro("MessageBox")
#undef MessageBox
    int MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags)
    {
        return ShowMessageBox(text, caption, flags);
    }
#pragma pop_macro("MessageBox")

private:
    friend class TForm;

    void AdoptForm(TForm* form);
    // Called by a form's destructor: forget it (and its role as main form).
    void FormDestroyed(TForm* form);
    // Keyboard navigation of our forms (Tab, Shift+Tab, Enter on a button).
    bool PreTranslate(MSG& message);
    void Dispatch(MSG& message);
    void DestroyForms();

    std::vector<TForm*> forms_;  // made by CreateForm, owned; in creation order
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool comInitialized_ = false;
};

extern TApplication* Application;
