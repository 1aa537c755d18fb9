#include "Screenshot.h"

#include "GuiTesting.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

namespace guitest {

namespace {

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBig32(out, static_cast<std::uint32_t>(crc));
}

// An 8-bit RGB PNG of rows given top down, 3 bytes a pixel.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb)
{
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        auto row = rgb.begin() + static_cast<long>(y) * width * 3;
        raw.insert(raw.end(), row, row + width * 3);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

SIZE TextExtent(HWND window, const std::string& text)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return extent;
}

bool TextFits(HWND control, const std::string& text)
{
    RECT client = {};
    GetClientRect(control, &client);
    const SIZE extent = TextExtent(control, text);
    return !text.empty() && extent.cx <= client.right && extent.cy <= client.bottom;
}

bool WindowPicture::ShowsSomethingIn(HWND child, const RECT& area) const
{
    // The area in the picture's pixels, clipped to them.
    POINT corners[2] = {{area.left, area.top}, {area.right, area.bottom}};
    MapWindowPoints(child, nullptr, corners, 2);
    const int left = std::max(0, static_cast<int>(corners[0].x - frame.left));
    const int top = std::max(0, static_cast<int>(corners[0].y - frame.top));
    const int right = std::min(width, static_cast<int>(corners[1].x - frame.left));
    const int bottom = std::min(height, static_cast<int>(corners[1].y - frame.top));
    std::map<std::uint32_t, int> colours;
    int pixels = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const std::uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            ++colours[(std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]];
            ++pixels;
        }
    int most = 0;
    for (const auto& entry : colours)
        most = std::max(most, entry.second);
    return pixels - most >= 10;
}

bool WindowPicture::ShowsSomethingIn(HWND child) const
{
    RECT client = {};
    GetClientRect(child, &client);
    return ShowsSomethingIn(child, client);
}

bool TakePicture(HWND window, WindowPicture& picture)
{
    picture = WindowPicture();
    if (!IsWindow(window))
        return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(5);

    RECT frame = {};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0)
        return false;

    // The window's own DC reads the pixels Wine keeps for the window, whatever lies over it on
    // the X display.
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap != nullptr;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (ok) {
        const auto* bgra = static_cast<const std::uint8_t*>(bits);
        picture.rgb.reserve(static_cast<size_t>(width) * height * 3);
        for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
            picture.rgb.push_back(bgra[i * 4 + 2]);
            picture.rgb.push_back(bgra[i * 4 + 1]);
            picture.rgb.push_back(bgra[i * 4 + 0]);
        }
        picture.frame = frame;
        picture.width = width;
        picture.height = height;
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return ok;
}

bool SavePng(const WindowPicture& picture, const std::string& path)
{
    return picture.width > 0 && WritePng(path, picture.width, picture.height, picture.rgb);
}

}  // namespace guitest
