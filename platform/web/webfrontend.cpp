#include "webfrontend.h"

#include "app/form.h"
#include "app/placement.h"
#include "protocol_calls.h"
#include "webprotocol.h"

#include <vector>

namespace vornak::web {

namespace {

int indexOf(const Form& form, const Control& c)
{
    const auto& all = form.controls();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == &c)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

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
    // The page draws each window at a resolution of the era that fits its
    // screen, which the layout follows.
    const std::vector<int> sizes = clientSizes(form);
    vk_create(id, designJson(form, vk_drawing(id, sizes.data())).c_str());
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
    vk_update(idOf(form), indexOf(form, control), shownJson(control).c_str());
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
