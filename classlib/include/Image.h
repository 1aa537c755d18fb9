// TImage: a picture (BITMAP resource) or an icon (ICON resource, loaded at the image's size)
// from the program's resources, drawn at the top left of the image on its parent's background.
// A 32-bit picture is blended through its alpha channel; any other picture marked Transparent
// leaves out the colour of its bottom left pixel.
#pragma once

#include "Control.h"

class TImage : public TControl
{
public:
    ~TImage() override;

protected:
    void CreateHandle(const TCreateContext& context) override;

private:
    static LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void LoadPicture(int resourceId, int width, int height);

    HICON icon_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    SIZE bitmapSize_ = {};
    bool alpha_ = false;        // premultiplied 32-bit picture
    bool transparent_ = false;
    COLORREF transparentColor_ = 0;
};
