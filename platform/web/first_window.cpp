// What the page draws before the program has started, made by the core at
// the page's build: the program's first window as the program makes it, at
// each resolution of the era, the rule for every screen (app/screen.h) as
// the dots per inch from which each drawing holds, and the folder list's
// marks, every title a title bar may show (the windows' captions and the
// program's name on its message boxes), the page's bold face needing no
// other letters, and the pictures painted on the button-face grey, which
// the page carries with that grey made transparent. One JSON object on
// standard output:
//   {"screens": [[FROM_DPI, DESIGN_DPI, FACTOR], ...],
//    "windows": {"96": DESIGN, "120": DESIGN, "144": DESIGN},
//    "marks": {"open": [R, G, B, A, ...], "closed": [...]},
//    "titles": [TEXT, ...], "keyed": [PICTURE, ...]}
// with each DESIGN what the page is given when the program creates it
// (webprotocol.h).
#include "app/form.h"
#include "app/frontend.h"
#include "app/pictures.h"
#include "app/screen.h"
#include "app/shell.h"
#include "app/steadyclock.h"
#include "forms/catalogue.h"
#include "json.h"
#include "webfilesystem.h"
#include "webprotocol.h"

#include <cstdio>
#include <string>

namespace {

using namespace vornak;

// A front end that draws nothing and keeps the first window shown.
class FirstWindow : public Headless {
public:
    Form* shown = nullptr;

    void showWindow(Form& form, Form*, bool) override
    {
        if (!shown)
            shown = &form;
    }
    Clock& clock() override { return clock_; }

private:
    SteadyClock clock_;
};

// Where each drawing begins, to a hundredth of a dot per inch, up to eight
// times 96.
web::Json screens()
{
    web::Json rows('[');
    Drawing last{0, 0};
    for (int hundredths = 0; hundredths <= 96 * 8 * 100; ++hundredths) {
        const Drawing d = drawingFor(hundredths / 100.0);
        if (d == last)
            continue;
        last = d;
        web::Json row('[');
        rows.value(row.raw(std::to_string(hundredths / 100.0)).value(d.designDpi).value(d.factor));
    }
    return rows;
}

web::Json pixels(bool open)
{
    web::Json rgba('[');
    for (unsigned char c : web::markPixels(open))
        rgba.value(static_cast<int>(c));
    return rgba;
}

}  // namespace

int main()
{
    FirstWindow ui;
    web::FileSystem fileSystem;
    Shell shell(forms::catalogue(), ui, fileSystem);
    shell.start();
    if (!ui.shown) {
        std::fprintf(stderr, "first_window: the program showed no window\n");
        return 1;
    }
    web::Json windows;
    for (int dpi : {96, 120, 144})
        windows.key(std::to_string(dpi)).raw(web::designJson(*ui.shown, dpi));
    web::Json marks;
    marks.member("open", pixels(true)).member("closed", pixels(false));
    web::Json titles('[');
    titles.value(kProgramTitle);
    for (const FormClass* cls : forms::catalogue())
        titles.value(cls->design.caption);
    web::Json keyed('[');
    for (const PictureInfo& p : kPictures)
        if (p.greyKeyed)
            keyed.value(p.name);
    web::Json all;
    all.member("screens", screens())
        .member("windows", windows)
        .member("marks", marks)
        .member("titles", titles)
        .member("keyed", keyed);
    std::printf("%s\n", all.str().c_str());
    return 0;
}
