#include "webfrontend.h"

#include "app/colours.h"
#include "app/controlkind.h"
#include "app/form.h"
#include "app/pictures.h"
#include "app/placement.h"
#include "app/text.h"
#include "json.h"

#include <emscripten.h>

#include <cstdio>

// The script's side of each call (page/vornak1.js, the object Vornak).
EM_JS(void, vk_create, (int window, const char* design), { Vornak.create(window, JSON.parse(UTF8ToString(design))); });
EM_JS(void, vk_frame, (int window, int* box), {
    const r = Vornak.frame(window);
    for (let i = 0; i < 4; ++i)
        HEAP32[(box >> 2) + i] = r[i];
});
EM_JS(void, vk_show, (int window, int place, int x, int y), { Vornak.show(window, place != 0, x, y); });
EM_JS(void, vk_hide, (int window), { Vornak.hide(window); });
EM_JS(void, vk_raise, (int window), { Vornak.raise(window); });
EM_JS(void, vk_destroy, (int window), { Vornak.destroy(window); });
EM_JS(void, vk_update, (int window, int index, const char* state), {
    Vornak.update(window, index, JSON.parse(UTF8ToString(state)));
});
EM_JS(void, vk_cursor, (int hourglass), { Vornak.cursor(hourglass != 0); });
EM_JS(void, vk_focus, (int window, int index), { Vornak.focus(window, index); });
EM_JS(void, vk_quit, (), { Vornak.quit(); });
EM_ASYNC_JS(void, vk_message, (const char* title, const char* text), {
    await Vornak.message(UTF8ToString(title), UTF8ToString(text));
});

namespace vornak::web {

namespace {

std::string colour(uint32_t design, uint32_t typeDefault)
{
    char css[8];
    std::snprintf(css, sizeof css, "#%06x", static_cast<unsigned>(classicRgb(design, typeDefault)));
    return css;
}

int indexOf(const Form& form, std::string_view name)
{
    const auto& all = form.controls();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i]->name() == name)
            return static_cast<int>(i);
    return -1;
}

Json lists(const Control& c)
{
    Json items('[');
    for (const std::string& item : c.items())
        items.value(shownText(item));
    Json folders('[');
    for (const FolderEntry& f : c.folders())
        folders.value(Json().member("name", shownText(f.name)).member("level", f.level).member("open", f.open));
    return Json().member("items", items).member("folders", folders).member("index", c.listIndex());
}

// A control's design in pixels (CSS pixels: 96 to the inch).
Json controlDesign(const Form& form, const Control& c, int tab)
{
    const ControlDesign& d = c.design();
    const ControlKind& k = c.kind();
    auto px = [](int twips) { return twipsToPixels(twips, 96); };
    Json j;
    j.member("type", k.name).member("name", d.name).member("parent", indexOf(form, d.container));
    j.key("box").value(Json('[').value(px(d.left)).value(px(d.top)).value(px(d.width)).value(px(d.height)));
    j.member("tab", tab).member("focus", k.takesFocus).member("drawn", k.drawnOnWindow);
    j.member("centre", d.alignment == Alignment::Centre).member("border", d.border);
    j.member("back", colour(d.backColour, k.backColour)).member("fore", colour(d.foreColour, k.foreColour));
    j.member("ownColours", d.backColour != kDefaultColour || d.foreColour != kDefaultColour);
    const PictureInfo* picture = findPicture(d.picture);
    j.member("picture", d.picture).member("keyed", picture && picture->greyKeyed);
    return j;
}

}  // namespace

std::string controlState(const Control& c)
{
    const bool label = c.type() == ControlType::Label;
    return Json()
        .member("caption", label ? shownText(c.caption()) : c.caption())
        .member("value", c.value())
        .member("lists", lists(c))
        .str();
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
    Json controls('[');
    const std::vector<Control*> order = form.tabOrder();
    for (const auto& c : form.controls()) {
        int tab = -1;
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] == c.get())
                tab = static_cast<int>(i);
        const std::string state = controlState(*c);
        controls.value(controlDesign(form, *c, tab).raw(std::string_view(state).substr(1, state.size() - 2)));
    }
    Json design;
    design.member("caption", d.caption).member("icon", iconName(d.icon)).member("keyPreview", d.keyPreview);
    design.member("taskbar", d.showInTaskbar);
    design.member("width", twipsToPixels(d.width, 96)).member("height", twipsToPixels(d.height, 96));
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
    vk_update(idOf(form), indexOf(form, control.name()), controlState(control).c_str());
}

void FrontEnd::focus(const Control& control)
{
    const Form& form = control.form();
    vk_focus(idOf(form), indexOf(form, control.name()));
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
