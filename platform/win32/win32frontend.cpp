#include "win32frontend.h"

#include "app/art.h"
#include "app/controlkind.h"
#include "app/form.h"
#include "app/placement.h"
#include "controls/piece.h"
#include "win32art.h"
#include "win32text.h"
#include "win32window.h"

#include <mmsystem.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vornak::win32 {

void prepareProcess()
{
    // Windows Vista and later scale the windows of a program that does not
    // say it knows the resolution; the call is looked up, since Windows XP
    // has none (and scales nothing).
    if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
        using SetAwareFn = BOOL(WINAPI*)();
        if (const auto setAware = reinterpret_cast<SetAwareFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(user, "SetProcessDPIAware"))))
            setAware();
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    timeBeginPeriod(1);
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
    for (auto& [name, bitmap] : pictures_)
        DeleteObject(bitmap);
    for (auto& [id, icon] : icons_)
        DestroyIcon(icon);
    if (font_)
        DeleteObject(font_);
}

void FrontEnd::initialise()
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        fail("GetDC");
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    if (dpi_ <= 0)
        dpi_ = 96;
    // The era's 8-point dialog face travels inside the program, so that
    // every text wraps as designed on any Windows and any Wine, whatever
    // fonts they have. A system that refuses it from memory still has its
    // own: every Windows since 95 ships the face.
    if (!addPrivateFont(dialogFontBitmap()) && !faceExists(L"MS Sans Serif")) {
        ReleaseDC(nullptr, screen);
        fail("AddFontMemResourceEx");
    }
    font_ = CreateFontW(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
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
    decoder_ = std::make_unique<PictureDecoder>();
    registerClasses();
}

void FrontEnd::registerClasses()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = formProcedure;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    wc.hIcon = icon(Icon::Bolt, true);
    wc.hIconSm = icon(Icon::Bolt, false);
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakForm");
    for (unsigned t = 0; t <= static_cast<unsigned>(ControlType::FileList); ++t)
        pieceFor(static_cast<ControlType>(t)).registerClass(instance_);
}

HICON FrontEnd::icon(Icon which, bool big)
{
    const int key = static_cast<int>(which) * 2 + (big ? 1 : 0);
    if (const auto it = icons_.find(key); it != icons_.end())
        return it->second;
    const int cx = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    const int cy = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
    HICON h = iconFromFile(iconFile(which), cx, cy);
    icons_[key] = h;
    return h;
}

HBITMAP FrontEnd::picture(std::string_view name)
{
    std::string key(name);
    if (const auto it = pictures_.find(key); it != pictures_.end())
        return it->second;
    const std::span<const unsigned char> file = picturePng(name);
    if (file.empty())
        throw std::runtime_error("no picture " + key);
    HBITMAP h = decoder_->decode(file);
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
    for (size_t i = 0; i < all.size() && i < w->controls.size(); ++i)
        if (all[i].get() == &control)
            return w->controls[i];
    return nullptr;
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
    RECT r{0, 0, twipsToPixels(d.width, dpi_), twipsToPixels(d.height, dpi_)};
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
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(d.icon, true)));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(d.icon, false)));
    return hwnd;
}

void FrontEnd::createWindow(Form& form)
{
    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->frontEnd = this;
    w->form = &form;
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
    ++reflecting_;
    pieceFor(control.type()).reflect(control, h, property);
    --reflecting_;
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

namespace {

// Every key that produces a character goes to a form that previews keys
// first; Tab still moves the focus. True when the message was handled.
bool previewKey(Form& form, HWND root, MSG& msg)
{
    if (msg.message == WM_CHAR) {
        form.userKeyPress(static_cast<int>(msg.wParam));
        return true;
    }
    if (msg.message != WM_KEYDOWN)
        return false;
    TranslateMessage(&msg);
    if (msg.wParam == VK_TAB) {
        if (HWND next = GetNextDlgTabItem(root, GetFocus(), GetKeyState(VK_SHIFT) < 0))
            SetFocus(next);
        return true;
    }
    DispatchMessageW(&msg);
    return true;
}

// Enter presses the focused button and nothing else: these windows have no
// default button (the dialog manager would send IDOK).
void pressFocusedButton(HWND root)
{
    HWND focus = GetFocus();
    if (focus && IsChild(root, focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
}

}  // namespace

void FrontEnd::handle(MSG& msg)
{
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    Window* w = root ? find(root) : nullptr;
    if (w && w->form && w->form->design().keyPreview && previewKey(*w->form, root, msg))
        return;
    if (w && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        pressFocusedButton(root);
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
