#include "win32frontend.h"

#include "app/form.h"
#include "app/placement.h"
#include "app/shell.h"
#include "win32controls.h"
#include "win32text.h"
#include "win32window.h"

#include <mmsystem.h>

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <string>

namespace vornak::win32 {

namespace {

// No WS_CLIPCHILDREN: a group box paints only its frame and caption, and
// the window's own background must show through it.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

}  // namespace

void prepareProcess()
{
    SetProcessDPIAware();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    timeBeginPeriod(1);
}

FrontEnd::FrontEnd(HINSTANCE instance) : instance_(instance)
{
    WindowProcs::pointerOwner = this;
}

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
    for (auto& [name, bitmap] : pictures_)
        DeleteObject(bitmap);
    for (auto& [id, icon] : icons_)
        DestroyIcon(icon);
    if (font_)
        DeleteObject(font_);
    if (WindowProcs::pointerOwner == this)
        WindowProcs::pointerOwner = nullptr;
}

namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceExists(HDC dc, const wchar_t* face)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

void FrontEnd::initialise()
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        fail("GetDC");
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    if (dpi_ <= 0)
        dpi_ = 96;

    // The era's 8-point dialog face; where a prefix lacks it, faces of
    // nearly the same metrics, so that the texts still fit their boxes.
    const wchar_t* faces[] = {L"MS Sans Serif", L"Tahoma", L"Arial"};
    fontFace_ = L"MS Sans Serif";
    for (const wchar_t* face : faces)
        if (faceExists(screen, face)) {
            fontFace_ = face;
            break;
        }
    font_ = CreateFontW(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, fontFace_.c_str());
    if (!font_) {
        ReleaseDC(nullptr, screen);
        fail("CreateFont");
    }
    HGDIOBJ old = SelectObject(screen, font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    folderItemHeight_ = std::max<int>(tm.tmHeight + 2, 15);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProcs::form;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    wc.hIcon = icon(1, true);
    wc.hIconSm = icon(1, false);
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakForm");
    wc.lpfnWndProc = WindowProcs::picture;
    wc.lpszClassName = kPictureClass;
    wc.hIcon = wc.hIconSm = nullptr;
    wc.hbrBackground = nullptr;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakPicture");
    wc.lpfnWndProc = WindowProcs::line;
    wc.lpszClassName = kLineClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakLine");
}

HICON FrontEnd::icon(int group, bool big)
{
    const int key = group * 2 + (big ? 1 : 0);
    if (const auto it = icons_.find(key); it != icons_.end())
        return it->second;
    const int cx = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    const int cy = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
    auto h = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(group), IMAGE_ICON, cx, cy, 0));
    if (!h)
        fail("LoadImage icon");
    icons_[key] = h;
    return h;
}

HBITMAP FrontEnd::picture(std::string_view name)
{
    std::string key(name);
    if (const auto it = pictures_.find(key); it != pictures_.end())
        return it->second;
    std::string resource = key;
    std::transform(resource.begin(), resource.end(), resource.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto h = static_cast<HBITMAP>(LoadImageW(instance_, widen(resource).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!h)
        fail("LoadImage picture " + key);
    pictures_[key] = h;
    return h;
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
    if (!w)
        return nullptr;
    const auto& all = control.form().controls();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == &control)
            return i < w->controls.size() ? w->controls[i] : nullptr;
    return nullptr;
}

void FrontEnd::forget(Window* w)
{
    for (auto it = dying_.begin(); it != dying_.end(); ++it)
        if (it->get() == w) {
            dying_.erase(it);
            return;
        }
    for (auto it = windows_.begin(); it != windows_.end(); ++it)
        if (it->second.get() == w) {
            windows_.erase(it);
            return;
        }
}

void FrontEnd::createWindow(Form& form)
{
    const FormDesign& d = form.design();
    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->frontEnd = this;
    w->form = &form;
    windows_[&form] = std::move(owned);

    try {
        RECT r{0, 0, twipsToPixels(d.width, dpi_), twipsToPixels(d.height, dpi_)};
        const DWORD exStyle = d.showInTaskbar ? WS_EX_APPWINDOW : 0;
        if (!AdjustWindowRectEx(&r, kFormStyle, FALSE, exStyle))
            fail("AdjustWindowRectEx");
        // Dialogs are owned by the main window: they stay above it and out
        // of the taskbar.
        HWND owner = d.showInTaskbar ? nullptr : mainWindow_;
        HWND hwnd = CreateWindowExW(exStyle, kFormClass, widen(d.caption).c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                    r.right - r.left, r.bottom - r.top, owner, nullptr, instance_, w);
        if (!hwnd)
            fail("CreateWindowEx " + std::string(d.name));
        if (d.showInTaskbar && !mainWindow_)
            mainWindow_ = hwnd;
        const int group = d.icon == Icon::Bolt ? 1 : 2;
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(group, true)));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(group, false)));

        w->controls.assign(form.controls().size(), nullptr);
        for (size_t i = 0; i < form.controls().size(); ++i)
            createControl(*w, i);
        stackControls(*w);

        if (Control* first = form.firstFocus())
            w->lastFocus = controlOf(*first);
    } catch (...) {
        windows_.erase(&form);  // ~Window; the HWND goes below
        for (auto it = byHwnd_.begin(); it != byHwnd_.end();) {
            if (it->second == w) {
                HWND h = it->first;
                SetWindowLongPtrW(h, GWLP_USERDATA, 0);
                it = byHwnd_.erase(it);
                if (mainWindow_ == h)
                    mainWindow_ = nullptr;
                DestroyWindow(h);
            } else {
                ++it;
            }
        }
        throw;
    }
}

void FrontEnd::place(Window& w, Form* owner)
{
    const Window* o = owner ? find(*owner) : nullptr;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{}, ownerFrame{};
    GetWindowRect(w.hwnd, &frame);
    const bool onOwner = o && o->hwnd && GetWindowRect(o->hwnd, &ownerFrame);
    const Rect ownerRect{ownerFrame.left, ownerFrame.top, ownerFrame.right - ownerFrame.left, ownerFrame.bottom - ownerFrame.top};
    const Point at = placeFrame(w.form->design(), frame.right - frame.left, frame.bottom - frame.top, onOwner ? &ownerRect : nullptr,
                                {work.left, work.top, work.right - work.left, work.bottom - work.top});
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
    if (w->lastFocus && IsWindow(w->lastFocus))
        SetFocus(w->lastFocus);
    else
        SetFocus(w->hwnd);
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
    if (hwnd == mainWindow_) {
        // The dialogs it owns go with it.
        for (auto& [f, other] : windows_)
            other->form = nullptr;
    }
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
    ++reflecting_;
    reflect(control, h, property);
    --reflecting_;
}

void FrontEnd::setCursor(int mousePointer)
{
    pointer_ = mousePointer;
    if (mousePointer == kHourglass) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else {
        // The class cursor of whatever lies under the pointer comes back
        // with the next WM_SETCURSOR; show the arrow until then.
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        POINT p;
        if (GetCursorPos(&p))
            SetCursorPos(p.x, p.y);
    }
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
    if (pointer_ == kHourglass)
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    GdiFlush();
}

void FrontEnd::quit()
{
    quitting_ = true;
    PostQuitMessage(0);
}

void FrontEnd::handle(MSG& msg)
{
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    Window* w = root ? find(root) : nullptr;
    if (w && w->form && w->form->design().keyPreview) {
        // Every key that produces a character goes to the form first.
        if (msg.message == WM_CHAR) {
            w->form->userKeyPress(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.message == WM_KEYDOWN) {
            TranslateMessage(&msg);
            if (msg.wParam == VK_TAB) {
                const bool back = GetKeyState(VK_SHIFT) < 0;
                if (HWND next = GetNextDlgTabItem(root, GetFocus(), back))
                    SetFocus(next);
                return;
            }
            DispatchMessageW(&msg);
            return;
        }
    }
    if (w && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        // Enter presses the focused button and nothing else: these windows
        // have no default button. (The dialog manager would send IDOK.)
        HWND focus = GetFocus();
        if (focus && IsChild(root, focus)
            && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        return;
    }
    if (w && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int FrontEnd::run()
{
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 1;
        handle(msg);
    }
}

bool FrontEnd::pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitting_ = true;
            return false;
        }
        handle(msg);
    }
    return !quitting_;
}

}  // namespace vornak::win32