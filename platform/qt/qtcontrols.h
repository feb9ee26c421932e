// The eleven control types, each realised by a Qt widget. A widget passes
// what the user does straight to its control's user* entry point; the
// control decides what happens.
#pragma once

#include "app/control.h"

#include <QString>

class QWidget;

namespace vornak::qt {

QString toQt(const std::string& text);

// Builds a control's widget inside parent, placed by its design at the
// given resolution, showing the control's current values.
QWidget* createControl(Control& control, QWidget* parent, int dpi);

// Shows a changed property of the control on its widget, without the widget
// reporting the change back as the user's.
void reflect(Control& control, QWidget* widget, Property property);

// Labels, images and lines are drawn on the window itself, under every
// control that is a window of its own.
bool isGraphical(ControlType type);

}  // namespace vornak::qt
