#include "json.h"

#include <cstdio>

namespace vornak::web {

std::string quoted(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    // Whole runs of characters that need no escape go in at once: a call a
    // character costs the web build a trip through its exception handling.
    size_t done = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text.substr(done, i - done));
        done = i + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default: {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
            out += code;
        }
        }
    }
    out.append(text.substr(done));
    out += '"';
    return out;
}

Json& Json::key(std::string_view name)
{
    if (!first_)
        text_ += ',';
    first_ = false;
    text_ += quoted(name);
    text_ += ':';
    afterKey_ = true;
    return *this;
}

Json& Json::raw(std::string_view json)
{
    if (!afterKey_) {
        if (!first_)
            text_ += ',';
        first_ = false;
    }
    afterKey_ = false;
    text_ += json;
    return *this;
}

}  // namespace vornak::web
