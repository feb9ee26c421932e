// A control type realised on Qt: one piece a type, each in a file of its
// own under controls/, found by the type. A piece has three duties, as in
// every front end: it creates the control's widget, shows a change of the
// control's values on it, and reports what the user does to it to the
// control's user* entry points; the control decides what happens.
#pragma once

#include "app/control.h"
#include "app/layout.h"

#include <QRect>
#include <QString>

#include <string>

class QWidget;

namespace vornak::qt {

class Piece {
public:
    virtual ~Piece() = default;
    // The control's widget inside parent, placed as the window's layout
    // says (pixels of its container), showing the control's values.
    virtual QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const = 0;
    // Shows a changed property of the control on its widget, without the
    // widget reporting the change back as the user's.
    virtual void show(Control& c, QWidget* w, Property p) const = 0;
    // Connects what the user does to the widget to the control.
    virtual void report(Control& c, QWidget* w) const = 0;
};

// The piece of a type, from the table made from the list of types
// (app/controltypes.h).
const Piece& pieceFor(ControlType type);
VORNAK_DECLARE_PIECES

QRect toQt(const Rect& r);
QString toQt(const std::string& text);
// What a list shows of a stored text (app/text.h).
QString shown(const std::string& text);

}  // namespace vornak::qt
