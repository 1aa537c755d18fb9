// Catches the modal boxes (message boxes, the exception box) that the test's own thread raises:
// records caption, text, icon, owner and buttons, and dismisses each box. It looks for them from
// a thread timer, which the box's own modal loop dispatches.
//
//   guitest::BoxCatcher boxes;             // answers OK
//   guitest::Click(form->btnPrint);
//   ASSERT_EQ(1u, boxes.Count());
//   EXPECT_EQ("Chyba", boxes[0].Caption);
//   EXPECT_TRUE(boxes.CaughtOnly("Chyba", text, guitest::BoxIcon::Stop));  // the three at once
//
// The innermost catcher alive gets the boxes. Without one, InstallStrayBoxGuard's guard reports
// the box as a test failure and dismisses it, so that no test hangs on a box.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace guitest {

enum class BoxIcon
{
    None,
    Stop,         // MB_ICONSTOP / MB_ICONERROR
    Exclamation,  // MB_ICONEXCLAMATION / MB_ICONWARNING
    Information,  // MB_ICONINFORMATION
    Question,     // MB_ICONQUESTION
    Other,
};

struct CaughtBox
{
    HWND Window = nullptr;  // the box itself, while it is shown
    std::string Caption;   // ANSI, as the box shows it
    std::string Text;
    BoxIcon Icon = BoxIcon::None;
    HWND Owner = nullptr;
    std::vector<int> Buttons;  // IDOK, IDCANCEL, IDYES, ... that the box shows
};

const char* IconName(BoxIcon icon);

// What a box shows: one of this thread's, or one another process shows (see ProgramProcess).
CaughtBox DescribeBox(HWND box);
// Presses a button of the box (posted, so that it returns at once): the one asked for, else OK,
// else its first.
void PressBoxButton(HWND box, int button = IDOK);

class BoxCatcher
{
public:
    // Chooses the button to press for a box; none given (or one the box lacks): OK, else the
    // box's first button.
    using Answer = std::function<int(const CaughtBox&)>;

    explicit BoxCatcher(Answer answer = nullptr);
    ~BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    const std::vector<CaughtBox>& Boxes() const { return boxes_; }
    size_t Count() const { return boxes_.size(); }
    const CaughtBox& operator[](size_t index) const { return boxes_.at(index); }
    // Whether exactly one box came, with this caption, text and icon (for EXPECT_TRUE; the
    // failure lists what came).
    testing::AssertionResult CaughtOnly(const std::string& caption, const std::string& text,
                                        BoxIcon icon) const;

private:
    friend struct CatcherRegistry;
    void Catch(HWND box);

    Answer answer_;
    std::vector<CaughtBox> boxes_;
    BoxCatcher* outer_ = nullptr;
};

// Starts the watch for boxes nobody waits for (call once, in main).
void InstallStrayBoxGuard();

}  // namespace guitest
