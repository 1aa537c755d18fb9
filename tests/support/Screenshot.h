// What a window draws: a picture of it (frame included), for asserting that parts of it show
// something and as a PNG file for looking at a form; and the room a text takes in its font.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace guitest {

// The pixels of a window, 3 bytes (red, green, blue) a pixel, rows top down, and where the
// window lay on the screen when they were taken.
struct WindowPicture
{
    RECT frame = {};
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    // Whether an area of a child window (in the child's client coordinates; the whole client
    // area without `area`) shows something: at least a few pixels in another colour than the
    // one most of the area has. A control that drew nothing there, or filled it with one
    // colour, shows nothing.
    bool ShowsSomethingIn(HWND child, const RECT& area) const;
    bool ShowsSomethingIn(HWND child) const;
};

// The size a one-line text takes in a window's font.
SIZE TextExtent(HWND window, const std::string& text);
// Whether a one-line text is there (not empty) and fits a control's client area in the
// control's font.
bool TextFits(HWND control, const std::string& text);

// Lets the window paint and takes its pixels; windows lying over it do not matter. False when
// the window cannot be read.
bool TakePicture(HWND window, WindowPicture& picture);
// Writes a picture to path (a Windows path) as PNG; false when the file cannot be written.
bool SavePng(const WindowPicture& picture, const std::string& path);

}  // namespace guitest
