// Drawing on a screen that enlarges the design by a whole factor (Qt's
// device-pixel ratio, qtscreen.h): what is drawn at the design's own
// resolution first and then enlarged, every pixel a block of pixels, so
// that an edge one pixel thick in the design is as thick as the factor.
// Qt's classic style draws its edges one device pixel thick at any ratio,
// and smooths pictures it enlarges.
#pragma once

#include <QProxyStyle>

#include <functional>

namespace vornak::qt {

// Paints with draw into the rectangle r of p (logical pixels). On a device
// whose device-pixel ratio is a whole number above 1 it is drawn into an
// image of the design's pixels, which is then enlarged, nearest neighbour;
// elsewhere directly.
void paintAtDesign(QPainter* p, const QRect& r, const std::function<void(QPainter*)>& draw);

// A style whose every drawing is painted so: the frames, buttons, boxes,
// scroll bars and list rows of the style it stands for.
class EnlargedStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element,
                       const QStyleOption* option,
                       QPainter* p,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element,
                     const QStyleOption* option,
                     QPainter* p,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control,
                            const QStyleOptionComplex* option,
                            QPainter* p,
                            const QWidget* widget) const override;
    void drawItemPixmap(QPainter* p, const QRect& rect, int alignment, const QPixmap& pixmap) const override;
    // A text placed at the design's resolution: centred on whole pixels of
    // the design, not of the screen.
    void drawItemText(QPainter* p,
                      const QRect& rect,
                      int flags,
                      const QPalette& palette,
                      bool enabled,
                      const QString& text,
                      QPalette::ColorRole role) const override;
};

}  // namespace vornak::qt
