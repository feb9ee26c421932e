// How stored texts are shown.
#pragma once

#include <string>
#include <string_view>

namespace vornak {

// What a list or a label shows for a stored text (a file, folder or drive
// name, a path): the text itself, except that every bidirectional
// formatting character (the marks U+200E, U+200F and U+061C, the
// embeddings and overrides U+202A to U+202E, the isolates U+2066 to U+2069)
// is written out as its code point, "<U+202E>". Left in, such a character
// reorders what is drawn, so that a name can read as another: "x" followed
// by a right-to-left override and "gnp.EXE" draws as "xEXE.png". Written
// out, nothing is reordered and the reader still sees what is stored.
// Works on the bytes: a name that is not valid UTF-8 keeps its other bytes.
std::string shownText(std::string_view stored);

}  // namespace vornak
