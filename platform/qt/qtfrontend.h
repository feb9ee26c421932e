// The Qt 6 Widgets front end.
#pragma once

#include "app/frontend.h"
#include "app/steadyclock.h"

#include <QMargins>

#include <unordered_map>

class QWidget;

namespace vornak::qt {

class Window;

class FrontEnd : public vornak::FrontEnd {
public:
    FrontEnd();
    ~FrontEnd() override;

    void createWindow(Form& form) override;
    void showWindow(Form& form, Form* owner, bool firstTime) override;
    void hideWindow(Form& form) override;
    void raiseWindow(Form& form) override;
    void destroyWindow(Form& form) override;
    void propertyChanged(Control& control, Property property) override;
    void focus(Control& control) override;
    void setCursor(MousePointer pointer) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void flush() override;
    void quit() override;
    Clock& clock() override { return clock_; }

    Window* window(const Form& form) const;
    int dpi() const { return dpi_; }

private:
    void place(Window& w, Form* owner);
    QMargins frameMargins(Window& w);
    QMargins requestedFrame(Window& w);

    SteadyClock clock_;
    std::unordered_map<const Form*, Window*> windows_;
    QWidget* mainWindow_ = nullptr;
    int dpi_;
};

}  // namespace vornak::qt
