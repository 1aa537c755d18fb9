#include "Application.h"

#include "Form.h"
#include "GuiInternal.h"

#include <objbase.h>

#include <algorithm>

const char* const ForeignExceptionText = "An unexpected error occurred.";

namespace {
TApplication theApplication;
}  // namespace

TApplication* Application = &theApplication;

TApplication::~TApplication()
{
    DestroyForms();
    if (comInitialized_)
        CoUninitialize();
}

void TApplication::Initialize()
{
    if (!comInitialized_)
        comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
    EnsureCommonControls();
}

void TApplication::AdoptForm(TForm* form)
{
    forms_.push_back(form);
    if (!mainForm_) {
        // A new main form starts a new run: forget an earlier end of the loop.
        mainForm_ = form;
        terminated_ = false;
        MSG stale;
        while (PeekMessageA(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

void TApplication::FormDestroyed(TForm* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void TApplication::DestroyForms()
{
    while (!forms_.empty()) {
        TForm* last = forms_.back();
        delete last;  // its destructor takes it off forms_
        if (!forms_.empty() && forms_.back() == last)
            forms_.pop_back();
    }
}

void TApplication::Run()
{
    if (mainForm_ && !terminated_) {
        mainForm_->Show();
        while (!terminated_) {
            MSG message;
            BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                terminated_ = true;
                break;
            }
            Dispatch(message);
        }
    }
    DestroyForms();
    // A quit message left behind would end the next modal box at once.
    MSG stale;
    while (PeekMessageA(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        Dispatch(message);
    }
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::Dispatch(MSG& message)
{
    try {
        if (PreTranslate(message))
            return;
    } catch (...) {
        ShowCurrentException();
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool TApplication::PreTranslate(MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.wParam != VK_TAB && message.wParam != VK_RETURN))
        return false;
    TForm* form = TForm::FromHandle(GetAncestor(message.hwnd, GA_ROOT));
    return form && form->HandleDialogKey(message.wParam);
}

void TApplication::ShowException(const Exception& exception)
{
    AnsiString text = exception.Message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    ShowMessageBox(text, Title, MB_OK | MB_ICONSTOP);
}

void TApplication::ShowCurrentException() noexcept
{
    try {
        try {
            throw;
        } catch (const Exception& exception) {
            ShowException(exception);
        } catch (...) {
            // Another library's message is not for the operator.
            ShowException(Exception(ForeignExceptionText));
        }
    } catch (...) {
        // Showing failed (no memory for the box): nothing more can be done here.
    }
}

int TApplication::ShowMessageBox(const AnsiString& text, const AnsiString& caption, UINT flags)
{
    return ::MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), flags);
}
