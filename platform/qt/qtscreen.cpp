#include "qtscreen.h"

#include "qtdisplay.h"

#include "app/screen.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace vornak::qt {

namespace {

// A positive number an environment variable holds; 0 for none.
double positiveNumber(const char* name)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    return *end == '\0' && std::isfinite(v) && v > 0 ? v : 0;
}

}  // namespace

void prepareScreen(int argc, char** argv)
{
    // Qt's own scaling, which would enlarge by any fraction, is off: the
    // factor is set below, whole.
    ::setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    const double forced = positiveNumber("QT_FONT_DPI");
    const double dpi = forced > 0 ? forced : platformName(argc, argv) == "xcb" ? displayDpi() : 0;
    if (dpi <= 0)
        return;
    const double scale = positiveNumber("QT_SCALE_FACTOR");
    const Drawing d = drawingFor(dpi * (scale > 0 ? scale : 1));
    ::setenv("QT_FONT_DPI", std::to_string(d.designDpi).c_str(), 1);
    ::setenv("QT_SCALE_FACTOR", std::to_string(d.factor).c_str(), 1);
    // Factors of each screen would enlarge again, by fractions.
    ::unsetenv("QT_SCREEN_SCALE_FACTORS");
}

}  // namespace vornak::qt
