// An image: a picture at its own size from the top left, never stretched,
// with a sunken border of two pixels where the design gives it one. A
// picture on the classic grey lets the window show through that grey.
#include "piece.h"
#include "qtapplication.h"

#include "app/art.h"
#include "app/pictures.h"

#include <QBitmap>
#include <QLabel>
#include <QPixmap>

#include <cmath>

namespace vornak::qt {

namespace {

// The picture at a device-pixel ratio: on a screen that enlarges the
// design, each of its pixels a block as large as the factor, which Qt
// would smooth.
QPixmap picture(std::string_view name, qreal ratio)
{
    const PictureInfo* info = findPicture(name);
    QPixmap pm = info ? pngPixmap(picturePng(name)) : QPixmap();
    if (pm.isNull())
        return {};
    if (info->greyKeyed)
        pm.setMask(pm.createMaskFromColor(QColor::fromRgb(kGreyKey), Qt::MaskInColor));
    if (ratio > 1 && ratio == std::round(ratio)) {
        pm = pm.scaled(pm.size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        pm.setDevicePixelRatio(ratio);
    }
    return pm;
}

class ImagePiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* image = new QLabel(parent);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setPixmap(picture(c.design().picture, image->devicePixelRatioF()));
        image->setGeometry(toQt(at.box));
        if (c.design().border) {
            image->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            image->setLineWidth(2);
        }
        return image;
    }
    void show(Control&, QWidget*, Property) const override {}
    void report(Control&, QWidget*) const override {}
};

}  // namespace

VORNAK_PIECE(Image, ImagePiece)

}  // namespace vornak::qt
