#include "BoxCatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace guitest {

namespace {

BoxIcon IconOf(HWND box)
{
    struct Search
    {
        HICON icon = nullptr;
        static BOOL CALLBACK Visit(HWND child, LPARAM self)
        {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                reinterpret_cast<Search*>(self)->icon =
                    reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            return TRUE;
        }
    } search;
    EnumChildWindows(box, Search::Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.icon)
        return BoxIcon::None;
    if (search.icon == LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND)))
        return BoxIcon::Stop;
    if (search.icon == LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_EXCLAMATION)))
        return BoxIcon::Exclamation;
    if (search.icon == LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ASTERISK)))
        return BoxIcon::Information;
    if (search.icon == LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION)))
        return BoxIcon::Question;
    return BoxIcon::Other;
}

}  // namespace

CaughtBox DescribeBox(HWND window)
{
    CaughtBox box;
    box.Window = window;
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    box.Caption = text;
    text[0] = '\0';
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    box.Text = text;
    box.Icon = IconOf(window);
    box.Owner = GetWindow(window, GW_OWNER);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (HWND button = GetDlgItem(window, id); button && IsWindowVisible(button))
            box.Buttons.push_back(id);
    return box;
}

namespace {

// PressBoxButton for a box already described.
void Press(HWND window, const CaughtBox& box, int wanted)
{
    auto has = [&box](int id) {
        return std::find(box.Buttons.begin(), box.Buttons.end(), id) != box.Buttons.end();
    };
    int press = has(wanted) ? wanted : has(IDOK) ? IDOK : box.Buttons.empty() ? IDCANCEL : box.Buttons.front();
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, press)));
}

}  // namespace

void PressBoxButton(HWND box, int button)
{
    Press(box, DescribeBox(box), button);
}

// The catchers alive (innermost first) and the one timer that looks for boxes.
struct CatcherRegistry
{
    static BoxCatcher* innermost;
    static UINT_PTR timer;
    static bool strayGuard;
    static std::set<HWND> handled;

    static void EnsureTimer()
    {
        if (!timer)
            timer = SetTimer(nullptr, 0, 20, Tick);
    }

    static void StopTimerIfIdle()
    {
        if (timer && !innermost && !strayGuard) {
            KillTimer(nullptr, timer);
            timer = 0;
        }
    }

    static BOOL CALLBACK Visit(HWND window, LPARAM)
    {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !IsWindowVisible(window) || handled.count(window))
            return TRUE;
        handled.insert(window);
        if (innermost) {
            innermost->Catch(window);
        } else {
            CaughtBox box = DescribeBox(window);
            ADD_FAILURE() << "a box nobody expected: \"" << box.Caption << "\" " << box.Text;
            Press(window, box, 0);
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        // Boxes already gone can give their handles to new ones.
        for (auto it = handled.begin(); it != handled.end();)
            it = IsWindow(*it) ? std::next(it) : handled.erase(it);
        EnumThreadWindows(GetCurrentThreadId(), Visit, 0);
    }
};

BoxCatcher* CatcherRegistry::innermost = nullptr;
UINT_PTR CatcherRegistry::timer = 0;
bool CatcherRegistry::strayGuard = false;
std::set<HWND> CatcherRegistry::handled;


const char* IconName(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None: return "none";
    case BoxIcon::Stop: return "stop";
    case BoxIcon::Exclamation: return "exclamation";
    case BoxIcon::Information: return "information";
    case BoxIcon::Question: return "question";
    case BoxIcon::Other: return "other";
    }
    return "?";
}

BoxCatcher::BoxCatcher(Answer answer) : answer_(std::move(answer)), outer_(CatcherRegistry::innermost)
{
    CatcherRegistry::innermost = this;
    CatcherRegistry::EnsureTimer();
}

BoxCatcher::~BoxCatcher()
{
    CatcherRegistry::innermost = outer_;
    CatcherRegistry::StopTimerIfIdle();
}

testing::AssertionResult BoxCatcher::CaughtOnly(const std::string& caption, const std::string& text,
                                                BoxIcon icon) const
{
    if (boxes_.size() == 1 && boxes_[0].Caption == caption && boxes_[0].Text == text && boxes_[0].Icon == icon)
        return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "wanted the one box [" << caption << "] \"" << text << "\" " << IconName(icon) << ", came "
            << boxes_.size() << ":";
    for (const CaughtBox& box : boxes_)
        failure << "\n  [" << box.Caption << "] \"" << box.Text << "\" " << IconName(box.Icon);
    return failure;
}

void BoxCatcher::Catch(HWND window)
{
    boxes_.push_back(DescribeBox(window));
    Press(window, boxes_.back(), answer_ ? answer_(boxes_.back()) : 0);
}

void InstallStrayBoxGuard()
{
    CatcherRegistry::strayGuard = true;
    CatcherRegistry::EnsureTimer();
}

}  // namespace guitest
