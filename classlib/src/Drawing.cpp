#include "Drawing.h"

#include <cstring>
#include <utility>

COLORREF ColorToRGB(TColor color)
{
    if (color & 0x80000000u)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color);
}

bool TFontDesc::SameFace(const TFontDesc& other) const
{
    return std::strcmp(Name, other.Name) == 0 && Height == other.Height &&
           Charset == other.Charset && Style == other.Style;
}

TFontHandle::TFontHandle(const TFontDesc& desc)
    : font_(CreateFontA(desc.Height, 0, 0, 0, (desc.Style & fsBold) ? FW_BOLD : FW_NORMAL,
                        (desc.Style & fsItalic) != 0, (desc.Style & fsUnderline) != 0,
                        (desc.Style & fsStrikeOut) != 0, static_cast<BYTE>(desc.Charset),
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, desc.Name))
{
}

TFontHandle::~TFontHandle()
{
    if (font_)
        DeleteObject(font_);
}

TFontHandle::TFontHandle(TFontHandle&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}

TFontHandle& TFontHandle::operator=(TFontHandle&& other) noexcept
{
    if (this != &other) {
        if (font_)
            DeleteObject(font_);
        font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
}

TBrushHandle::TBrushHandle(TColor color)
{
    if (color & 0x80000000u) {
        brush_ = GetSysColorBrush(static_cast<int>(color & 0xFF));  // shared, never deleted
    } else {
        brush_ = CreateSolidBrush(static_cast<COLORREF>(color));
        owned_ = true;
    }
}

TBrushHandle::~TBrushHandle()
{
    if (owned_ && brush_)
        DeleteObject(brush_);
}

TBrushHandle::TBrushHandle(TBrushHandle&& other) noexcept
    : brush_(std::exchange(other.brush_, nullptr)), owned_(std::exchange(other.owned_, false))
{
}

TBrushHandle& TBrushHandle::operator=(TBrushHandle&& other) noexcept
{
    if (this != &other) {
        if (owned_ && brush_)
            DeleteObject(brush_);
        brush_ = std::exchange(other.brush_, nullptr);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}
