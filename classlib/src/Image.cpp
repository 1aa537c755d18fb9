#include "Image.h"

#include "Application.h"
#include "GuiInternal.h"

#include <cstdint>
#include <string>

namespace {

const char* const ImageClass = "TabulonImage";

void RegisterImageClass(WNDPROC procedure)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = ImageClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception("Cannot register the image window class");
    registered = true;
}

}  // namespace

TImage::~TImage()
{
    if (icon_)
        DestroyIcon(icon_);
    if (bitmap_)
        DeleteObject(bitmap_);
}

void TImage::CreateHandle(const TCreateContext& context)
{
    const TComponentProps& props = context.Props;
    transparent_ = props.Transparent;
    if (props.ImageKind == TImageKind::Icon) {
        icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(props.ResourceId),
                                              IMAGE_ICON, props.Width, props.Height, LR_DEFAULTCOLOR));
        if (!icon_)
            throw Exception("Cannot load icon resource " + std::to_string(props.ResourceId));
    } else if (props.ImageKind == TImageKind::Picture) {
        LoadPicture(props.ResourceId, props.Width, props.Height);
    }
    RegisterImageClass(ImageProc);
    Attach(CreateChild(context, ImageClass, 0, 0, ""), context);
}

void TImage::LoadPicture(int resourceId, int width, int height)
{
    bitmap_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap_)
        throw Exception("Cannot load picture resource " + std::to_string(resourceId));
    DIBSECTION dib = {};
    GetObjectA(bitmap_, sizeof dib, &dib);
    bitmapSize_ = {dib.dsBm.bmWidth, dib.dsBm.bmHeight};
    if (dib.dsBm.bmBitsPixel == 32 && dib.dsBm.bmBits) {
        // AlphaBlend wants the colours multiplied by their alpha; a picture whose alpha is zero
        // everywhere has no alpha channel at all.
        auto* pixel = static_cast<std::uint8_t*>(dib.dsBm.bmBits);
        const size_t count = static_cast<size_t>(dib.dsBm.bmWidth) * static_cast<size_t>(dib.dsBm.bmHeight);
        for (size_t i = 0; i < count && !alpha_; ++i)
            alpha_ = pixel[i * 4 + 3] != 0;
        if (alpha_) {
            for (size_t i = 0; i < count; ++i) {
                std::uint8_t* p = pixel + i * 4;
                for (int c = 0; c < 3; ++c)
                    p[c] = static_cast<std::uint8_t>(p[c] * p[3] / 255);
            }
        }
    }
    if (transparent_ && !alpha_) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, bitmap_);
        transparentColor_ = GetPixel(memory, 0, bitmapSize_.cy - 1);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
}

void TImage::Paint(HDC dc)
{
    RECT client;
    GetClientRect(handle_, &client);
    FillRect(dc, &client, parent_->BackgroundBrush());
    if (icon_) {
        DrawIconEx(dc, 0, 0, icon_, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!bitmap_)
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    const int w = bitmapSize_.cx, h = bitmapSize_.cy;
    if (alpha_) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, 0, 0, w, h, memory, 0, 0, w, h, blend);
    } else if (transparent_) {
        TransparentBlt(dc, 0, 0, w, h, memory, 0, 0, w, h, transparentColor_);
    } else {
        BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

LRESULT CALLBACK TImage::ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        auto* self = dynamic_cast<TImage*>(TControl::FromHandle(window));
        if (self && message == WM_ERASEBKGND)
            return 1;  // WM_PAINT fills the background itself
        if (self && message == WM_PAINT) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            self->Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
    } catch (...) {
        Application->ShowCurrentException();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
