// TForm2: the question window of the backup reminder. Three pages without tabs: the request
// ("Ano" runs the long backup, "Ne" closes), the success page and the failure page with a retry.
// Its layout is in frmBckMainForm.cpp.
#pragma once

#include "Gui.h"

class TForm2 : public TForm
{
public:
    explicit TForm2(TComponent* Owner);

    // Published components, filled from the form description.
    TPageControl* PageControl1 = nullptr;
    TTabSheet* shtBackupRequest = nullptr;
    TTabSheet* shtBackupSuccess = nullptr;
    TTabSheet* shtBackupFailed = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TLabel* Label3 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button4 = nullptr;
    TButton* Button5 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;

    // "Ne" of the request and the failure page: closes the window.
    void Button2Click(TObject* Sender);
    // "Ano" of the request and the failure page: runs the long backup with an engine of its own
    // and shows the page its result calls for.
    void Button1Click(TObject* Sender);
    // "Ukončit" of the success page: closes the window.
    void Button3Click(TObject* Sender);
    // The window always opens on the request page.
    void FormShow(TObject* Sender);
};

// The one question window, made by the start-up.
extern TForm2* Form2;

// The window's description.
const TFormResource<TForm2>& Form2Resource();
