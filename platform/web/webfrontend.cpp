#include "webfrontend.h"

#include "app/colours.h"
#include "app/controlkind.h"
#include "app/foldermarks.h"
#include "app/form.h"
#include "app/layout.h"
#include "app/pictures.h"
#include "app/placement.h"
#include "app/text.h"
#include "json.h"

#include <emscripten.h>

#include <cstdio>
#include <vector>

// The page's side of each call (page/page.js, reached as Vornak.page).
EM_JS(void, vk_mark, (int open, const unsigned char* rgba, int width, int height), {
    Vornak.page.mark(open != 0, HEAPU8.slice(rgba, rgba + 4 * width * height), width, height);
});
EM_JS(void, vk_create, (int window, const char* design), { Vornak.page.create(window, JSON.parse(UTF8ToString(design))); });
EM_JS(void, vk_frame, (int window, int* box), {
    const r = Vornak.page.frame(window);
    for (let i = 0; i < 4; ++i)
        HEAP32[(box >> 2) + i] = r[i];
});
EM_JS(void, vk_show, (int window, int place, int x, int y), { Vornak.page.show(window, place != 0, x, y); });
EM_JS(void, vk_hide, (int window), { Vornak.page.hide(window); });
EM_JS(void, vk_raise, (int window), { Vornak.page.raise(window); });
EM_JS(void, vk_destroy, (int window), { Vornak.page.destroy(window); });
EM_JS(void, vk_update, (int window, int index, const char* state), {
    Vornak.page.update(window, index, JSON.parse(UTF8ToString(state)));
});
EM_JS(void, vk_cursor, (int hourglass), { Vornak.page.cursor(hourglass != 0); });
EM_JS(void, vk_focus, (int window, int index), { Vornak.page.focus(window, index); });
EM_JS(void, vk_quit, (), { Vornak.page.quit(); });
EM_ASYNC_JS(void, vk_message, (const char* title, const char* text), {
    await Vornak.page.message(UTF8ToString(title), UTF8ToString(text));
});

namespace vornak::web {

namespace {

// 0xRRGGBB as CSS writes it.
std::string css(uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFFu));
    return text;
}

std::string colour(uint32_t design, uint32_t typeDefault)
{
    return css(classicRgb(design, typeDefault));
}

int indexOf(const Form& form, const Control& c)
{
    const auto& all = form.controls();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == &c)
            return static_cast<int>(i);
    return -1;
}

Json numbers(std::initializer_list<int> list)
{
    Json j('[');
    for (int n : list)
        j.value(n);
    return j;
}

// What a control shows now: the members its type has.
Json shownJson(const Control& c)
{
    const Shown s = c.shown();
    Json j;
    if (s.caption)
        j.member("caption", *s.caption);
    if (s.value)
        j.member("value", *s.value);
    if (s.items) {
        Json items('[');
        for (const std::string& item : *s.items)
            items.value(shownText(item));
        j.member("items", items);
    }
    if (s.folders) {
        Json folders('[');
        for (const FolderEntry& f : *s.folders)
            folders.value(Json()
                              .member("name", shownText(f.name))
                              .member("indent", f.level * kFolderIndent)
                              .member("open", f.open));
        j.member("folders", folders);
    }
    if (s.index)
        j.member("index", *s.index);
    return j;
}

// A control's place and look, from the window's layout and its design.
Json controlJson(const Control& c, const ControlLayout& at)
{
    const ControlDesign& d = c.design();
    const ControlKind& k = c.kind();
    Json j;
    j.member("piece", k.name).member("name", d.name).member("parent", at.container);
    j.member("box", numbers({at.box.left, at.box.top, at.box.width, at.box.height}));
    if (k.twoPoints)
        j.member("line", numbers({at.from.x, at.from.y, at.to.x, at.to.y}));
    j.member("stack", at.stack).member("tab", at.tab).member("tabWhenChosen", at.tabStopWhenChosen);
    j.member("labelledBy", at.label);
    j.member("centre", d.alignment == Alignment::Centre).member("border", d.border);
    j.member("back", colour(d.backColour, k.backColour)).member("fore", colour(d.foreColour, k.foreColour));
    j.member("ownColours", d.backColour != kDefaultColour || d.foreColour != kDefaultColour);
    const PictureInfo* picture = findPicture(d.picture);
    j.member("picture", d.picture).member("keyed", picture && picture->greyKeyed);
    const std::string shown = shownJson(c).str();
    if (shown.size() > 2)  // the members of a control that shows something
        j.raw(std::string_view(shown).substr(1, shown.size() - 2));
    return j;
}

// A folder mark (app/foldermarks.h) as RGBA pixels, row after row.
std::vector<unsigned char> markPixels(bool open)
{
    std::vector<unsigned char> rgba(4 * kFolderMarkWidth * kFolderMarkHeight);
    const std::string_view* rows = folderMark(open);
    unsigned char* pixel = rgba.data();
    for (int y = 0; y < kFolderMarkHeight; ++y)
        for (int x = 0; x < kFolderMarkWidth; ++x, pixel += 4) {
            uint32_t rgb = 0;
            const bool shown = folderMarkColour(rows[y][static_cast<size_t>(x)], rgb);
            pixel[0] = static_cast<unsigned char>(rgb >> 16);
            pixel[1] = static_cast<unsigned char>(rgb >> 8);
            pixel[2] = static_cast<unsigned char>(rgb);
            pixel[3] = shown ? 255 : 0;
        }
    return rgba;
}

}  // namespace

void FrontEnd::sendMarks() const
{
    for (bool open : {true, false})
        vk_mark(open, markPixels(open).data(), kFolderMarkWidth, kFolderMarkHeight);
}

Form* FrontEnd::form(int window) const
{
    const auto it = forms_.find(window);
    return it == forms_.end() ? nullptr : it->second;
}

int FrontEnd::idOf(const Form& form) const
{
    const auto it = ids_.find(&form);
    return it == ids_.end() ? 0 : it->second;
}

void FrontEnd::createWindow(Form& form)
{
    const int id = next_++;
    ids_[&form] = id;
    forms_[id] = &form;
    const FormDesign& d = form.design();
    const WindowLayout layout = layOut(d, 96);
    Json controls('[');
    for (size_t i = 0; i < form.controls().size(); ++i)
        controls.value(controlJson(*form.controls()[i], layout.controls[i]));
    Json design;
    design.member("caption", d.caption).member("icon", iconName(d.icon)).member("keyPreview", d.keyPreview);
    design.member("taskbar", d.showInTaskbar);
    design.member("width", layout.width).member("height", layout.height);
    design.member("controls", controls);
    vk_create(id, design.str().c_str());
}

void FrontEnd::showWindow(Form& form, Form* owner, bool firstTime)
{
    const int id = idOf(form);
    if (!firstTime) {
        vk_show(id, 0, 0, 0);
        return;
    }
    int frame[4], work[4], ownerFrame[4];
    vk_frame(id, frame);
    vk_frame(0, work);
    const int ownerId = owner ? idOf(*owner) : 0;
    if (ownerId)
        vk_frame(ownerId, ownerFrame);
    const Rect ownerRect{ownerFrame[0], ownerFrame[1], ownerFrame[2], ownerFrame[3]};
    const Point at = placeFrame(form.design(), frame[2], frame[3], ownerId ? &ownerRect : nullptr,
                                {work[0], work[1], work[2], work[3]});
    vk_show(id, 1, at.x, at.y);
}

void FrontEnd::hideWindow(Form& form)
{
    vk_hide(idOf(form));
}

void FrontEnd::raiseWindow(Form& form)
{
    vk_raise(idOf(form));
}

void FrontEnd::destroyWindow(Form& form)
{
    const int id = idOf(form);
    ids_.erase(&form);
    forms_.erase(id);
    vk_destroy(id);
}

void FrontEnd::propertyChanged(Control& control, Property)
{
    const Form& form = control.form();
    vk_update(idOf(form), indexOf(form, control), shownJson(control).str().c_str());
}

void FrontEnd::focus(Control& control)
{
    const Form& form = control.form();
    vk_focus(idOf(form), indexOf(form, control));
}

void FrontEnd::setCursor(MousePointer pointer)
{
    vk_cursor(pointer == MousePointer::Hourglass);
}

void FrontEnd::messageBox(std::string_view title, std::string_view text)
{
    vk_message(std::string(title).c_str(), std::string(text).c_str());
}

void FrontEnd::quit()
{
    vk_quit();
}

}  // namespace vornak::web
