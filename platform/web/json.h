// Just enough JSON to hand a window's design and its controls' values to
// the page's script.
#pragma once

#include <string>
#include <string_view>

namespace vornak::web {

// A JSON string literal of UTF-8 text.
std::string quoted(std::string_view text);

// Builds a JSON object or array, one member at a time.
class Json {
public:
    explicit Json(char open = '{') : text_(1, open), close_(open == '{' ? '}' : ']') {}
    Json& key(std::string_view name);
    Json& value(std::string_view text) { return raw(quoted(text)); }
    Json& value(const char* text) { return raw(quoted(text)); }
    Json& value(int number) { return raw(std::to_string(number)); }
    Json& value(bool on) { return raw(on ? "true" : "false"); }
    Json& value(const Json& nested) { return raw(nested.str()); }
    Json& raw(std::string_view json);
    template <class T>
    Json& member(std::string_view name, const T& v)
    {
        key(name);
        return value(v);
    }
    std::string str() const { return text_ + close_; }

private:
    std::string text_;
    char close_;
    bool first_ = true;
    bool afterKey_ = false;
};

}  // namespace vornak::web
