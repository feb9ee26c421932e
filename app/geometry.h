// Rectangles and points in pixels.
#pragma once

namespace vornak {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Point {
    int x = 0, y = 0;
};

}  // namespace vornak
