// The question window's handlers.
#include "frmBckMain.h"

#include "Bckeng.h"

#include <memory>

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* Owner) : TForm(Owner)
{
    CreateFromResource(Form2Resource());
}

void TForm2::Button2Click(TObject* Sender)
{
    Close();
}

void TForm2::Button1Click(TObject* Sender)
{
    // Each press has its own engine: nothing of an earlier attempt is kept.
    auto engine = std::make_unique<CEmissionBackup>();
    engine->m_hOwner = Handle;
    switch (engine->RunLongBackup()) {
    case brDone:
        PageControl1->ActivePage = shtBackupSuccess;
        break;
    case brFailed:
        PageControl1->ActivePage = shtBackupFailed;
        break;
    case brCancelled:
        break;
    }
}

void TForm2::Button3Click(TObject* Sender)
{
    Close();
}

void TForm2::FormShow(TObject* Sender)
{
    PageControl1->ActivePage = shtBackupRequest;
}
