// Colours and fonts as the form descriptions give them, and the font handle a form owns.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// A colour: an RGB value (0x00BBGGRR), or a system colour (flag 0x80000000 | COLOR_... index).
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = 0x80000000u | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = 0x80000000u | COLOR_BTNFACE;
constexpr TColor clBtnText = 0x80000000u | COLOR_BTNTEXT;
constexpr TColor clWindow = 0x80000000u | COLOR_WINDOW;

// The RGB value of a colour (a system colour as the system paints it now).
COLORREF ColorToRGB(TColor color);

// Font styles, combined with |.
enum TFontStyle : unsigned
{
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = unsigned;

// A font as a description gives it. Height is the LOGFONT height: negative for the character
// height in pixels, positive for the cell height.
struct TFontDesc
{
    const char* Name = "Tahoma";
    int Height = -11;
    int Charset = DEFAULT_CHARSET;
    TFontStyles Style = 0;
    TColor Color = clWindowText;

    bool SameFace(const TFontDesc& other) const;  // everything but the colour
};

// An owned GDI font; closed in the destructor; movable, not copyable.
class TFontHandle
{
public:
    TFontHandle() = default;
    explicit TFontHandle(const TFontDesc& desc);
    ~TFontHandle();
    TFontHandle(TFontHandle&& other) noexcept;
    TFontHandle& operator=(TFontHandle&& other) noexcept;
    TFontHandle(const TFontHandle&) = delete;
    TFontHandle& operator=(const TFontHandle&) = delete;

    HFONT Get() const { return font_; }

private:
    HFONT font_ = nullptr;
};

// An owned solid brush for an RGB colour, or the shared brush of a system colour.
class TBrushHandle
{
public:
    TBrushHandle() = default;
    explicit TBrushHandle(TColor color);
    ~TBrushHandle();
    TBrushHandle(TBrushHandle&& other) noexcept;
    TBrushHandle& operator=(TBrushHandle&& other) noexcept;
    TBrushHandle(const TBrushHandle&) = delete;
    TBrushHandle& operator=(const TBrushHandle&) = delete;

    HBRUSH Get() const { return brush_; }

private:
    HBRUSH brush_ = nullptr;
    bool owned_ = false;
};
