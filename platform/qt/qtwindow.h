// A top-level window realised from a form's design.
#pragma once

#include "app/form.h"
#include "app/layout.h"

#include <QWidget>

#include <unordered_map>

namespace vornak::qt {

class Window : public QWidget {
public:
    // parent: the window that dialogs belong to (none for the main window),
    // which keeps them out of the taskbar.
    Window(Form& form, QWidget* parent, int dpi);

    Form& form() const { return form_; }
    QWidget* widget(const Control& control) const;
    // The window is about to go: nothing it does reaches the core any more.
    void detach();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void createControls();
    bool keyPress(QKeyEvent* e);

    Form& form_;
    const WindowLayout layout_;
    std::unordered_map<const Control*, QWidget*> widgets_;
    bool detached_ = false;
};

}  // namespace vornak::qt
