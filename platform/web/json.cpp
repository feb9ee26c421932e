#include "json.h"

#include <cstdio>

namespace vornak::web {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
                out += code;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
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
