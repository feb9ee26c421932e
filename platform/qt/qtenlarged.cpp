#include "qtenlarged.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>

#include <cmath>

namespace vornak::qt {

namespace {

// Whether p enlarges what it draws by a whole factor above 1, and nothing
// else moves it off whole pixels.
bool enlarges(const QPainter* p)
{
    const QPaintDevice* device = p->device();
    const qreal ratio = device ? device->devicePixelRatio() : 1;
    const QTransform& t = p->worldTransform();
    return ratio > 1 && ratio == std::round(ratio) && t.type() <= QTransform::TxTranslate
        && t.dx() == std::round(t.dx()) && t.dy() == std::round(t.dy());
}

// What p has drawn under r so far, at the design's resolution: a pixel of
// each block of the device's pixels; transparent where that cannot be read.
// Drawn over it, what is smoothed (the rim of an option button) blends as
// it would at the design's resolution.
QImage drawnUnder(QPainter* p, const QRect& r, int factor)
{
    const QPaintEngine* engine = p->paintEngine();
    const QPaintDevice* target = engine ? engine->paintDevice() : nullptr;
    QImage device;
    if (target && target->devType() == QInternal::Image)
        device = *static_cast<const QImage*>(target);
    else if (target && target->devType() == QInternal::Pixmap)
        device = static_cast<const QPixmap*>(target)->toImage();
    QImage under(r.size(), QImage::Format_ARGB32_Premultiplied);
    under.fill(Qt::transparent);
    const QImage::Format f = device.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return under;  // (what Qt paints windows and pixmaps on is one of these)
    const QPoint at = p->deviceTransform().map(r.topLeft());
    for (int y = 0; y < r.height(); ++y) {
        const int sy = at.y() + y * factor;
        if (sy < 0 || sy >= device.height())
            continue;
        const auto* from = reinterpret_cast<const QRgb*>(device.constScanLine(sy));
        auto* to = reinterpret_cast<QRgb*>(under.scanLine(y));
        for (int x = 0; x < r.width(); ++x)
            if (const int sx = at.x() + x * factor; sx >= 0 && sx < device.width())
                to[x] = from[sx];
    }
    return under;
}

}  // namespace

void paintAtDesign(QPainter* p, const QRect& r, const std::function<void(QPainter*)>& draw)
{
    if (r.isEmpty() || !enlarges(p)) {
        draw(p);
        return;
    }
    QImage design = drawnUnder(p, r, qRound(p->device()->devicePixelRatio()));
    // Of the device's resolution, so that fonts in points come out as large.
    design.setDotsPerMeterX(qRound(p->device()->logicalDpiX() / 0.0254));
    design.setDotsPerMeterY(qRound(p->device()->logicalDpiY() / 0.0254));
    {
        QPainter d(&design);
        d.translate(-r.topLeft());
        d.setFont(p->font());
        d.setPen(p->pen());
        d.setBrush(p->brush());
        d.setBrushOrigin(p->brushOrigin());
        d.setBackground(p->background());
        d.setBackgroundMode(p->backgroundMode());
        d.setLayoutDirection(p->layoutDirection());
        d.setRenderHints(p->renderHints());
        draw(&d);
    }
    p->save();
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->drawImage(r.topLeft(), design);
    p->restore();
}

void EnlargedStyle::drawPrimitive(PrimitiveElement element,
                                  const QStyleOption* option,
                                  QPainter* p,
                                  const QWidget* widget) const
{
    paintAtDesign(p, option->rect, [&](QPainter* d) { QProxyStyle::drawPrimitive(element, option, d, widget); });
}

void EnlargedStyle::drawControl(ControlElement element,
                                const QStyleOption* option,
                                QPainter* p,
                                const QWidget* widget) const
{
    paintAtDesign(p, option->rect, [&](QPainter* d) { QProxyStyle::drawControl(element, option, d, widget); });
}

void EnlargedStyle::drawComplexControl(ComplexControl control,
                                       const QStyleOptionComplex* option,
                                       QPainter* p,
                                       const QWidget* widget) const
{
    paintAtDesign(p, option->rect, [&](QPainter* d) { QProxyStyle::drawComplexControl(control, option, d, widget); });
}

void EnlargedStyle::drawItemPixmap(QPainter* p, const QRect& rect, int alignment, const QPixmap& pixmap) const
{
    paintAtDesign(p, rect, [&](QPainter* d) { QProxyStyle::drawItemPixmap(d, rect, alignment, pixmap); });
}

void EnlargedStyle::drawItemText(QPainter* p,
                                 const QRect& rect,
                                 int flags,
                                 const QPalette& palette,
                                 bool enabled,
                                 const QString& text,
                                 QPalette::ColorRole role) const
{
    paintAtDesign(p, rect,
                  [&](QPainter* d) { QProxyStyle::drawItemText(d, rect, flags, palette, enabled, text, role); });
}

}  // namespace vornak::qt
