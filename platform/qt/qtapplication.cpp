#include "qtapplication.h"

#include "app/art.h"
#include "app/colours.h"
#include "qtenlarged.h"

#include <QApplication>
#include <QBuffer>
#include <QFontDatabase>
#include <QImageReader>
#include <QPixmap>
#include <QPalette>
#include <QScreen>
#include <QStyleFactory>

#include <cmath>

namespace vornak::qt {

namespace {

QString fontFamily;
int fontPixels = 0;  // the size that draws the strike's own pixels

}  // namespace

QColor designColour(uint32_t colour, uint32_t typeDefault)
{
    return QColor::fromRgb(classicRgb(colour, typeDefault));
}

QFont dialogFont()
{
    if (fontFamily.isEmpty()) {
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPointSize(8);
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }
    // The strike's own pixels, each a block of the device-pixel ratio:
    // outlines on whole pixels, neither moved by a hinter nor smoothed.
    QFont font(fontFamily);
    font.setPixelSize(fontPixels);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPixmap pngPixmap(std::span<const unsigned char> png)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(png.data()),
                                               static_cast<qsizetype>(png.size()));
    QBuffer buffer(&bytes);
    // Qt's own PNG reader alone: asked to find one, Qt loads every image
    // plugin installed (and the libraries they bring) to ask each whether
    // it reads PNG.
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon windowIcon(Icon icon)
{
    QIcon i;
    for (int size : {16, 32}) {
        const QPixmap pm = pngPixmap(iconPng(icon, size));
        if (!pm.isNull())
            i.addPixmap(pm);
    }
    return i;
}

int screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

void setupApplication()
{
    // On a screen that enlarges the design, the style draws at the
    // design's resolution, and what it draws is enlarged.
    QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->devicePixelRatio() > 1)
        classic = new EnlargedStyle(classic);
    QApplication::setStyle(classic);

    QPalette p;
    const QColor face = designColour(0x8000000F);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::Base, designColour(0x80000005));
    p.setColor(QPalette::AlternateBase, designColour(0x80000005));
    p.setColor(QPalette::WindowText, designColour(0x80000008));
    p.setColor(QPalette::Text, designColour(0x80000008));
    p.setColor(QPalette::ButtonText, designColour(0x80000012));
    p.setColor(QPalette::Highlight, designColour(0x8000000D));
    p.setColor(QPalette::HighlightedText, designColour(0x8000000E));
    p.setColor(QPalette::Light, designColour(0x80000014));
    p.setColor(QPalette::Midlight, designColour(0x80000016));
    p.setColor(QPalette::Mid, designColour(0x80000010));
    p.setColor(QPalette::Dark, designColour(0x80000010));
    p.setColor(QPalette::Shadow, designColour(0x80000015));
    p.setColor(QPalette::ToolTipBase, designColour(0x80000018));
    p.setColor(QPalette::ToolTipText, designColour(0x80000017));
    p.setColor(QPalette::Disabled, QPalette::WindowText, designColour(0x80000011));
    p.setColor(QPalette::Disabled, QPalette::Text, designColour(0x80000011));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, designColour(0x80000011));
    QApplication::setPalette(p);

    // The face's strike for the resolution the windows are laid out at.
    if (const FaceStrike* strike = dialogFaceStrike(screenDpi())) {
        const std::span<const unsigned char> ttf = strike->trueType;
        const int id = QFontDatabase::addApplicationFontFromData(
            QByteArray::fromRawData(reinterpret_cast<const char*>(ttf.data()), static_cast<qsizetype>(ttf.size())));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) {
            fontFamily = families.front();
            fontPixels = strike->pixelSize;
        }
    }
    QApplication::setFont(dialogFont());
}

}  // namespace vornak::qt
