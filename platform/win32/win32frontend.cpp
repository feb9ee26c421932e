#include "win32frontend.h"

#include "app/form.h"
#include "app/layout.h"
#include "app/placement.h"
#include "controls/piece.h"
#include "win32text.h"
#include "win32window.h"

#include <mmsystem.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vornak::win32 {

namespace {

bool dpiAware = false;

}  // namespace

void prepareProcess()
{
    // Windows Vista and later tell a program that does not say it draws
    // for the screen's resolution itself that the screen has 96 dots per
    // inch, and stretch its windows, blurred; the program draws the rule for
    // screens (app/screen.h) itself. The call is looked up, since Windows XP
    // has none (and stretches nothing). It comes before any window or
    // device context, which would fix the process's resolution.
    if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
        using SetAwareFn = BOOL(WINAPI*)();
        if (const auto setAware = reinterpret_cast<SetAwareFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(user, "SetProcessDPIAware"))))
            dpiAware = setAware() != FALSE;
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    timeBeginPeriod(1);
}

bool declaredDpiAware()
{
    return dpiAware;
}

FrontEnd::FrontEnd(HINSTANCE instance) : instance_(instance) {}

FrontEnd::~FrontEnd()
{
    // Windows still there when the loop ends are destroyed without telling
    // the core anything.
    std::vector<HWND> left;
    for (auto& [hwnd, w] : byHwnd_) {
        w->form = nullptr;
        left.push_back(hwnd);
    }
    for (HWND h : left)
        if (IsWindow(h))
            DestroyWindow(h);
    windows_.clear();
    dying_.clear();
}

void FrontEnd::initialise()
{
    resources_.initialise();
    registerFormClass();
}

void FrontEnd::registerFormClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = formProcedure;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    wc.hIcon = resources_.icon(Icon::Bolt, true);
    wc.hIconSm = resources_.icon(Icon::Bolt, false);
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakForm");
}

Window* FrontEnd::find(const Form& form) const
{
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

Window* FrontEnd::find(HWND hwnd) const
{
    const auto it = byHwnd_.find(hwnd);
    return it == byHwnd_.end() ? nullptr : it->second;
}

HWND FrontEnd::windowOf(const Form& form) const
{
    const Window* w = find(form);
    return w ? w->hwnd : nullptr;
}

HWND FrontEnd::controlOf(const Control& control) const
{
    const Window* w = find(control.form());
    const int i = w ? w->indexOf(control) : -1;
    return i >= 0 && i < static_cast<int>(w->controls.size()) ? w->controls[static_cast<size_t>(i)] : nullptr;
}

void FrontEnd::attach(HWND hwnd, Window* w)
{
    w->hwnd = hwnd;
    byHwnd_[hwnd] = w;
}

void FrontEnd::detach(HWND hwnd, Window* w)
{
    byHwnd_.erase(hwnd);
    if (mainWindow_ == hwnd)
        mainWindow_ = nullptr;
    w->hwnd = nullptr;
    const auto gone = [w](const std::unique_ptr<Window>& p) { return p.get() == w; };
    if (const auto it = std::find_if(dying_.begin(), dying_.end(), gone); it != dying_.end()) {
        dying_.erase(it);
        return;
    }
    for (auto it = windows_.begin(); it != windows_.end(); ++it)
        if (it->second.get() == w) {
            windows_.erase(it);
            return;
        }
}

// The top-level window of a form, its client area the design's size.
// Dialogs are owned by the main window: they stay above it and out of the
// taskbar.
HWND FrontEnd::createFrame(Window& w)
{
    const FormDesign& d = w.form->design();
    RECT r{0, 0, w.layout.width, w.layout.height};
    const DWORD exStyle = d.showInTaskbar ? WS_EX_APPWINDOW : 0;
    if (!AdjustWindowRectEx(&r, kFormStyle, FALSE, exStyle))
        fail("AdjustWindowRectEx");
    HWND owner = d.showInTaskbar ? nullptr : mainWindow_;
    HWND hwnd = CreateWindowExW(exStyle, kFormClass, widen(d.caption).c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                r.right - r.left, r.bottom - r.top, owner, nullptr, instance_, &w);
    if (!hwnd)
        fail("CreateWindowEx " + std::string(d.name));
    if (d.showInTaskbar && !mainWindow_)
        mainWindow_ = hwnd;
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(resources_.icon(d.icon, true)));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(resources_.icon(d.icon, false)));
    return hwnd;
}

void FrontEnd::createWindow(Form& form)
{
    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->frontEnd = this;
    w->form = &form;
    w->layout = layOut(form.design(), resources_.drawing());
    windows_[&form] = std::move(owned);
    try {
        createFrame(*w);
        createControls(*w);
        if (Control* first = form.firstFocus())
            w->lastFocus = controlOf(*first);
    } catch (...) {
        abandon(w);
        throw;
    }
}

// A window whose making failed half way: its HWND goes, and it with it.
void FrontEnd::abandon(Window* w)
{
    HWND h = w->hwnd;
    w->form = nullptr;
    if (h) {
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        detach(h, w);
        DestroyWindow(h);
    } else {
        detach(nullptr, w);
    }
}

void FrontEnd::place(Window& w, Form* owner)
{
    auto rect = [](const RECT& r) { return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top}; };
    RECT work{}, frame{}, ownerFrame{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(w.hwnd, &frame);
    const Window* o = owner ? find(*owner) : nullptr;
    const bool haveOwner = o && o->hwnd && GetWindowRect(o->hwnd, &ownerFrame);
    const Rect ownerRect = rect(ownerFrame);
    const Point at = placeFrame(w.form->design(), frame.right - frame.left, frame.bottom - frame.top,
                                haveOwner ? &ownerRect : nullptr, rect(work));
    SetWindowPos(w.hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrontEnd::showWindow(Form& form, Form* owner, bool firstTime)
{
    Window* w = find(form);
    if (!w || !w->hwnd)
        return;
    if (firstTime)
        place(*w, owner);
    ShowWindow(w->hwnd, SW_SHOW);
    SetForegroundWindow(w->hwnd);
    SetActiveWindow(w->hwnd);
    SetFocus(w->lastFocus && IsWindow(w->lastFocus) ? w->lastFocus : w->hwnd);
}

void FrontEnd::hideWindow(Form& form)
{
    Window* w = find(form);
    if (!w || !w->hwnd)
        return;
    HWND focus = GetFocus();
    if (focus && IsChild(w->hwnd, focus))
        w->lastFocus = focus;
    ShowWindow(w->hwnd, SW_HIDE);
}

void FrontEnd::raiseWindow(Form& form)
{
    if (Window* w = find(form); w && w->hwnd) {
        SetWindowPos(w->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(w->hwnd);
    }
}

void FrontEnd::destroyWindow(Form& form)
{
    const auto it = windows_.find(&form);
    if (it == windows_.end())
        return;
    std::unique_ptr<Window> w = std::move(it->second);
    windows_.erase(it);
    w->form = nullptr;  // nothing reaches the core from it any more
    HWND hwnd = w->hwnd;
    if (hwnd == mainWindow_)
        for (auto& [f, other] : windows_)
            other->form = nullptr;  // the dialogs it owns go with it
    dying_.push_back(std::move(w));
    if (hwnd) {
        ShowWindow(hwnd, SW_HIDE);
        if (!PostMessageW(hwnd, kDestroyLater, 0, 0))
            DestroyWindow(hwnd);
    }
}

void FrontEnd::propertyChanged(Control& control, Property property)
{
    HWND h = controlOf(control);
    if (!h)
        return;
    pieceFor(control.type()).show(control, h, property);
}

void FrontEnd::focus(Control& control)
{
    if (HWND h = controlOf(control))
        SetFocus(h);
}

void FrontEnd::setCursor(MousePointer pointer)
{
    pointer_ = pointer;
    if (pointer == MousePointer::Hourglass) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return;
    }
    // The class cursor of whatever lies under the pointer comes back with
    // the next WM_SETCURSOR; show the arrow until then.
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    POINT p;
    if (GetCursorPos(&p))
        SetCursorPos(p.x, p.y);
}

void FrontEnd::messageBox(std::string_view title, std::string_view text)
{
    MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void FrontEnd::flush()
{
    // Paint everything pending now and put the cursor on the screen: the
    // thread is about to sleep, and no message is handled until it wakes.
    // Input that arrives meanwhile waits in the queue, in order.
    for (auto& [form, w] : windows_)
        if (w->hwnd && IsWindowVisible(w->hwnd))
            RedrawWindow(w->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (pointer_ == MousePointer::Hourglass)
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    GdiFlush();
}

void FrontEnd::quit()
{
    quitting_ = true;
    PostQuitMessage(0);
}

}  // namespace vornak::win32
