// The question window's description: layout, texts, fonts, tab order and handlers.
#include "frmBckMain.h"

#include "ResourceIds.h"

const TFormResource<TForm2>& Form2Resource()
{
    static const TFontDesc question = {"Arial", -16, EASTEUROPE_CHARSET, fsBold, clBlack};
    static const TFontDesc success = {"Tahoma", -19, DEFAULT_CHARSET, fsBold, clWindowText};
    using F = TForm2;
    static const TFormResource<F> resource = TFormResource<F>()
        .Caption(u8"Upozornění")
        .BorderStyle(bsDialog)
        .ClientSize(502, 182)
        .Position(poDesktopCenter)
        .Color(clBtnFace)
        .Font({"Tahoma", -11})
        .OnShow(&F::FormShow)
        .Components({
            Component(&F::PageControl1).Align(alClient).TabStyle(tsFlatButtons)
                .ActivePage(&F::shtBackupRequest),
            Component(&F::shtBackupRequest).In(&F::PageControl1).TabVisible(false),
            Component(&F::shtBackupSuccess).In(&F::PageControl1).TabVisible(false),
            Component(&F::shtBackupFailed).In(&F::PageControl1).TabVisible(false),

            Component(&F::Image1).In(&F::shtBackupRequest).Bounds(16, 16, 64, 64)
                .Icon(IDI_BACKUP_REQUEST),
            Component(&F::Label1).In(&F::shtBackupRequest).Bounds(98, 16, 367, 19)
                .Caption(u8"Je vhodné provést zálohu dat emisních zařízení.").Font(question),
            Component(&F::Label6).In(&F::shtBackupRequest).Bounds(98, 38, 370, 19)
                .Caption(u8"Použijte prosím externí úložiště (USB Flash disk)").Font(question),
            Component(&F::Label2).In(&F::shtBackupRequest).Bounds(98, 72, 173, 19)
                .Caption(u8"Chcete ji nyní spustit ?").Font(question),
            Component(&F::Button1).In(&F::shtBackupRequest).Bounds(131, 123, 99, 40)
                .Caption(u8"Ano").TabOrder(0).OnClick(&F::Button1Click),
            Component(&F::Button2).In(&F::shtBackupRequest).Bounds(262, 123, 99, 40)
                .Caption(u8"Ne").TabOrder(1).OnClick(&F::Button2Click),

            Component(&F::Image2).In(&F::shtBackupSuccess).Bounds(16, 16, 64, 64)
                .Icon(IDI_BACKUP_SUCCESS),
            Component(&F::Label3).In(&F::shtBackupSuccess).Bounds(128, 16, 299, 23)
                .Caption(u8"Zálohování úspěšně dokončeno").Font(success),
            Component(&F::Button3).In(&F::shtBackupSuccess).Bounds(197, 123, 99, 40)
                .Caption(u8"Ukončit").TabOrder(0).OnClick(&F::Button3Click),

            Component(&F::Image3).In(&F::shtBackupFailed).Bounds(16, 16, 64, 64)
                .Icon(IDI_BACKUP_FAILED),
            Component(&F::Label4).In(&F::shtBackupFailed).Bounds(98, 16, 324, 19)
                .Caption(u8"Zálohu dat emisních zařízení se nepodařila").Font(question),
            Component(&F::Label5).In(&F::shtBackupFailed).Bounds(98, 45, 212, 19)
                .Caption(u8"Chcete ji opětovně spustit ?").Font(question),
            Component(&F::Button4).In(&F::shtBackupFailed).Bounds(131, 123, 99, 40)
                .Caption(u8"Ano").TabOrder(0).OnClick(&F::Button1Click),
            Component(&F::Button5).In(&F::shtBackupFailed).Bounds(262, 123, 99, 40)
                .Caption(u8"Ne").TabOrder(1).OnClick(&F::Button2Click),
        });
    return resource;
}
