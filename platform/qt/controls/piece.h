// A control type realised on Qt: one piece a type, each in a file of its
// own under controls/, found by the type. A piece makes the control's
// widget, shows the control's values on it, and passes what the user does
// to it straight to the control's user* entry points; the control decides
// what happens.
#pragma once

#include "app/control.h"

#include <QRect>
#include <QString>

#include <string>

class QWidget;

namespace vornak::qt {

class Piece {
public:
    virtual ~Piece() = default;
    // The control's widget inside parent, placed in box (pixels, the
    // design's at the given resolution), showing the control's values.
    virtual QWidget* create(Control& c, QWidget* parent, const QRect& box, int dpi) const = 0;
    // Shows a changed property of the control on its widget, without the
    // widget reporting the change back as the user's.
    virtual void reflect(Control& c, QWidget* w, Property p) const = 0;
};

const Piece& pieceFor(ControlType type);

QString toQt(const std::string& text);
// What a list or label shows of a stored text (app/text.h).
QString shown(const std::string& text);

}  // namespace vornak::qt
