#include "webprotocol.h"

#include "app/colours.h"
#include "app/controlkind.h"
#include "app/foldermarks.h"
#include "app/form.h"
#include "app/layout.h"
#include "app/pictures.h"
#include "app/text.h"
#include "json.h"
#include "protocol_fields.h"

#include <cstdio>

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

Json numbers(std::initializer_list<int> list)
{
    Json j('[');
    for (int n : list)
        j.value(n);
    return j;
}

Json shown(const Control& c)
{
    const Shown s = c.shown();
    Json j;
    if (s.caption)
        j.member(field::shown::caption, *s.caption);
    if (s.value)
        j.member(field::shown::value, *s.value);
    if (s.items) {
        Json items('[');
        for (const std::string& item : *s.items)
            items.value(shownText(item));
        j.member(field::shown::items, items);
    }
    if (s.folders) {
        Json folders('[');
        for (const FolderEntry& f : *s.folders)
            folders.value(Json()
                              .member(field::folder::name, shownText(f.name))
                              .member(field::folder::indent, f.level * kFolderIndent)
                              .member(field::folder::open, f.open));
        j.member(field::shown::folders, folders);
    }
    if (s.index)
        j.member(field::shown::index, *s.index);
    return j;
}

// A control's place and look, from the window's layout and its design.
Json controlJson(const Control& c, const ControlLayout& at)
{
    const ControlDesign& d = c.design();
    const ControlKind& k = c.kind();
    Json j;
    j.member(field::control::piece, k.name)
        .member(field::control::name, d.name)
        .member(field::control::parent, at.container);
    j.member(field::control::box, numbers({at.box.left, at.box.top, at.box.width, at.box.height}));
    if (k.twoPoints)
        j.member(field::control::line, numbers({at.from.x, at.from.y, at.to.x, at.to.y}));
    j.member(field::control::stack, at.stack)
        .member(field::control::tab, at.tab)
        .member(field::control::tabWhenChosen, at.tabStopWhenChosen);
    j.member(field::control::labelledBy, at.label);
    j.member(field::control::centre, d.alignment == Alignment::Centre).member(field::control::border, d.border);
    j.member(field::control::back, colour(d.backColour, k.backColour))
        .member(field::control::fore, colour(d.foreColour, k.foreColour));
    j.member(field::control::ownColours, d.backColour != kDefaultColour || d.foreColour != kDefaultColour);
    const PictureInfo* picture = findPicture(d.picture);
    j.member(field::control::picture, d.picture);
    if (picture)  // drawn at its own size, a pixel of it a pixel of the design
        j.member(field::control::pictureSize, numbers({picture->width, picture->height}));
    const std::string now = shown(c).str();
    if (now.size() > 2)  // the members of a control that shows something
        j.raw(std::string_view(now).substr(1, now.size() - 2));
    return j;
}

}  // namespace

std::string designJson(const Form& form, int dpi)
{
    const FormDesign& d = form.design();
    const WindowLayout layout = layOut(d, dpi);
    Json controls('[');
    for (size_t i = 0; i < form.controls().size(); ++i)
        controls.value(controlJson(*form.controls()[i], layout.controls[i]));
    Json design;
    design.member(field::design::caption, d.caption)
        .member(field::design::icon, iconName(d.icon))
        .member(field::design::keyPreview, d.keyPreview);
    design.member(field::design::taskbar, d.showInTaskbar).member(field::design::dpi, dpi);
    design.member(field::design::width, layout.width).member(field::design::height, layout.height);
    design.member(field::design::controls, controls);
    return design.str();
}

std::string shownJson(const Control& control)
{
    return shown(control).str();
}

std::vector<unsigned char> markPixels(bool open)
{
    std::vector<unsigned char> rgba(4 * kFolderMarkWidth * kFolderMarkHeight);
    const std::string_view* rows = folderMark(open);
    unsigned char* pixel = rgba.data();
    for (int y = 0; y < kFolderMarkHeight; ++y)
        for (int x = 0; x < kFolderMarkWidth; ++x, pixel += 4) {
            uint32_t rgb = 0;
            const bool drawn = folderMarkColour(rows[y][static_cast<size_t>(x)], rgb);
            pixel[0] = static_cast<unsigned char>(rgb >> 16);
            pixel[1] = static_cast<unsigned char>(rgb >> 8);
            pixel[2] = static_cast<unsigned char>(rgb);
            pixel[3] = drawn ? 255 : 0;
        }
    return rgba;
}

std::vector<int> clientSizes(const Form& form)
{
    const FormDesign& d = form.design();
    std::vector<int> sizes;
    for (int dpi : {96, 120, 144}) {
        sizes.push_back(twipsToPixels(d.width, dpi));
        sizes.push_back(twipsToPixels(d.height, dpi));
    }
    return sizes;
}

}  // namespace vornak::web
