#include "win32window.h"

#include "app/controlkind.h"
#include "win32frontend.h"
#include "win32text.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace vornak::win32 {

int Window::indexOf(HWND child) const
{
    const auto it = std::find(controls.begin(), controls.end(), child);
    return it == controls.end() || !child ? -1 : static_cast<int>(it - controls.begin());
}

Control* Window::control(int index) const
{
    if (!form || index < 0 || index >= static_cast<int>(form->controls().size()))
        return nullptr;
    return form->controls()[static_cast<size_t>(index)].get();
}

int Window::px(int twips) const
{
    return twipsToPixels(twips, frontEnd->dpi());
}

namespace {

size_t indexIn(const Form& form, const Control& c)
{
    const auto& all = form.controls();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == &c)
            return i;
    return all.size();
}

}  // namespace

void Window::keep(const Control& c, std::unique_ptr<PieceData> data)
{
    const size_t i = indexIn(c.form(), c);
    if (data_.size() <= i)
        data_.resize(i + 1);
    data_[i] = std::move(data);
}

PieceData* Window::kept(const Control& c) const
{
    const size_t i = indexIn(c.form(), c);
    return i < data_.size() ? data_[i].get() : nullptr;
}

namespace {

// Where a control lies in the window: frames are not windows of their own
// to the system, so what a frame contains is placed relative to it.
RECT designBox(const Window& w, const ControlDesign& d)
{
    POINT o{0, 0};
    std::string_view container = d.container;
    for (int depth = 0; !container.empty() && depth < 16; ++depth) {
        const Control* frame = w.form->find(container);
        if (!frame)
            break;
        o.x += w.px(frame->design().left);
        o.y += w.px(frame->design().top);
        container = frame->design().container;
    }
    return {o.x + w.px(d.left), o.y + w.px(d.top), o.x + w.px(d.left) + w.px(d.width), o.y + w.px(d.top) + w.px(d.height)};
}

HWND createControl(Window& w, size_t index)
{
    const Control& c = *w.form->controls()[index];
    const Piece& piece = pieceFor(c.type());
    const Blueprint b = piece.blueprint(w, c, designBox(w, c.design()));
    HWND h = CreateWindowExW(b.ex, b.cls, b.text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | b.style, b.box.left,
                             b.box.top, b.box.right - b.box.left, b.box.bottom - b.box.top, w.hwnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(index))),
                             w.frontEnd->instance(), b.param);
    if (!h)
        fail("CreateWindowEx " + std::string(c.name()));
    w.controls[index] = h;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(w.frontEnd->font()), FALSE);
    piece.fill(w, c, h);
    return h;
}

// The controls' z-order, top first: those that are windows of their own in
// tab order, each frame right after the last of what it holds; then those
// drawn on the window, the last created on top.
std::vector<size_t> zOrder(const Form& form)
{
    const auto& controls = form.controls();
    std::vector<size_t> order;
    for (const Control* c : form.tabOrder())
        order.push_back(indexIn(form, *c));
    for (size_t f = 0; f < controls.size(); ++f) {
        if (controls[f]->type() != ControlType::Frame)
            continue;
        auto after = order.end();
        for (auto it = order.begin(); it != order.end(); ++it)
            if (controls[*it]->design().container == controls[f]->name())
                after = it + 1;
        order.insert(after, f);
    }
    for (size_t i = controls.size(); i-- > 0;)
        if (kindOf(controls[i]->type()).drawnOnWindow)
            order.push_back(i);
    return order;
}

// The first option of each run of options of one frame starts a group for
// the arrow keys; the group ends at the next control that is not one of
// its options.
void startOptionGroups(const Window& w, const std::vector<size_t>& order)
{
    const Control* previous = nullptr;
    for (size_t i : order) {
        const Control& c = *w.form->controls()[i];
        const bool continues = previous && previous->type() == ControlType::OptionButton
                            && previous->design().container == c.design().container;
        if (c.type() == ControlType::OptionButton && !continues)
            SetWindowLongPtrW(w.controls[i], GWL_STYLE, GetWindowLongPtrW(w.controls[i], GWL_STYLE) | WS_GROUP);
        previous = &c;
    }
}

void stackControls(Window& w)
{
    const std::vector<size_t> order = zOrder(*w.form);
    startOptionGroups(w, order);
    HWND previous = HWND_TOP;
    for (size_t i : order) {
        if (!SetWindowPos(w.controls[i], previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW))
            fail("SetWindowPos");
        previous = w.controls[i];
    }
}

}  // namespace

void createControls(Window& w)
{
    w.controls.assign(w.form->controls().size(), nullptr);
    for (size_t i = 0; i < w.controls.size(); ++i)
        createControl(w, i);
    stackControls(w);
}

namespace {

LRESULT onCommand(Window& w, WPARAM wp, LPARAM lp)
{
    // Without a control this is the dialog manager's IDOK (Enter outside a
    // button) or IDCANCEL (Escape): neither does anything in this program.
    HWND child = reinterpret_cast<HWND>(lp);
    const int index = w.indexOf(child);
    Control* c = w.control(index);
    if (c && LOWORD(wp) == kFirstId + index && !w.frontEnd->reflecting())
        pieceFor(c->type()).notified(*c, child, HIWORD(wp));
    return 0;
}

// The focus goes back to the control that had it when the window was left.
bool onActivate(Window& w, HWND hwnd, WPARAM wp)
{
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus))
            w.lastFocus = focus;
        return false;
    }
    if (w.lastFocus && IsWindow(w.lastFocus) && IsWindowVisible(hwnd)) {
        SetFocus(w.lastFocus);
        return true;
    }
    return false;
}

// A control's own part in painting: its colours and an owner-drawn list.
bool onControlMessage(Window& w, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT) {
        const Control* c = w.control(w.indexOf(reinterpret_cast<HWND>(lp)));
        HBRUSH brush = c ? pieceFor(c->type()).colours(w, *c, reinterpret_cast<HDC>(wp)) : nullptr;
        result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
    const int index = msg == WM_MEASUREITEM ? static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlID) - kFirstId
                    : msg == WM_DRAWITEM   ? static_cast<int>(reinterpret_cast<DRAWITEMSTRUCT*>(lp)->CtlID) - kFirstId
                                           : -1;
    const Control* c = w.control(index);
    if (!c)
        return false;
    if (msg == WM_MEASUREITEM)
        pieceFor(c->type()).measure(w, *reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
    else
        pieceFor(c->type()).draw(w, *reinterpret_cast<DRAWITEMSTRUCT*>(lp));
    result = TRUE;
    return true;
}

}  // namespace

namespace {

// The messages of a form that the program answers itself; false for those
// left to the system.
bool onFormMessage(Window& w, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case kDestroyLater:
        DestroyWindow(hwnd);
        return true;
    case WM_CLOSE:
        // The core decides: it unloads the form and asks for the window to
        // be destroyed (later, from the input loop).
        if (w.form)
            w.form->userClose();
        return true;
    case WM_COMMAND:
        result = onCommand(w, wp, lp);
        return true;
    case WM_SETCURSOR:
        if (w.frontEnd->pointer() != MousePointer::Hourglass)
            return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        result = TRUE;
        return true;
    case WM_ACTIVATE:
        return onActivate(w, hwnd, wp);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        return onControlMessage(w, msg, wp, lp, result);
    default:
        return false;
    }
}

}  // namespace

LRESULT CALLBACK formProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* w = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
        w->frontEnd->attach(hwnd, w);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!w)
        return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        w->frontEnd->detach(hwnd, w);  // w is gone from here on
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    if (onFormMessage(*w, hwnd, msg, wp, lp, result))
        return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace vornak::win32
