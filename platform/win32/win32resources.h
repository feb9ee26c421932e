// What the windows draw with, made once and kept until the front end goes:
// the era's dialog face for the screen, the windows' icons, the
// pictures of app/pictures.h and the folder list's marks.
#pragma once

#include "app/design.h"
#include "app/screen.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_map>

namespace vornak::win32 {

class Resources {
public:
    Resources();
    ~Resources();
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    // Reads the screen's resolution and makes the dialog font. Throws
    // std::runtime_error with the system's reason when that fails.
    void initialise();

    // The screen's resolution, and what the windows are drawn at there:
    // the design's resolution enlarged by a whole factor (app/screen.h).
    int dpi() const { return dpi_; }
    const Drawing& drawing() const { return drawing_; }
    // The dialog face for the controls, enlarged by the factor.
    HFONT font() const { return font_; }
    // The face at the design's resolution, not enlarged: for what the
    // program draws there and enlarges itself.
    HFONT designFont() const { return designFont_; }
    // The height of an entry of the folder list and of the drive list.
    int listItemHeight() const { return listItemHeight_; }
    HICON icon(Icon which, bool big);
    // A picture, decoded once. Throws std::runtime_error when it cannot be
    // decoded.
    HBITMAP picture(std::string_view name);
    // Draws a folder mark (app/foldermarks.h) with its top left corner at
    // x, y; nothing when the system has no room for its bitmap.
    void drawFolderMark(HDC dc, int x, int y, bool open);

private:
    HBITMAP makeFolderMark(bool open) const;
    HFONT enlargedFont(int cell) const;

    int dpi_ = 96;
    Drawing drawing_;
    HFONT font_ = nullptr;
    HFONT designFont_ = nullptr;
    int listItemHeight_ = 16;
    std::unordered_map<std::string, HBITMAP> pictures_;
    std::unordered_map<int, HICON> icons_;
    HBITMAP marks_[2] = {nullptr, nullptr};  // closed, open
};

}  // namespace vornak::win32
