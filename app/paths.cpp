#include "paths.h"

namespace vornak {

namespace {

bool isSeparator(char c, PathStyle style)
{
    return c == '/' || (style == PathStyle::Dos && c == '\\');
}

char separator(PathStyle style)
{
    return style == PathStyle::Dos ? '\\' : '/';
}

char fold(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool sameName(std::string_view a, std::string_view b, PathStyle style)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (style == PathStyle::Dos ? fold(a[i]) != fold(b[i]) : a[i] != b[i])
            return false;
    return true;
}

// The length of the root at the start of a path, 0 for a relative one.
size_t rootLength(std::string_view path, PathStyle style)
{
    if (style == PathStyle::Posix)
        return !path.empty() && path[0] == '/' ? 1 : 0;
    if (path.size() >= 3 && path[1] == ':' && isSeparator(path[2], style))
        return 3;
    if (path.size() >= 2 && isSeparator(path[0], style) && isSeparator(path[1], style)) {
        // \\server\share\: the server and the share are part of the root.
        size_t i = 2;
        for (int names = 0; names < 2 && i < path.size(); ++names) {
            while (i < path.size() && !isSeparator(path[i], style))
                ++i;
            if (i < path.size())
                ++i;
        }
        return i;
    }
    return 0;
}

}  // namespace

std::string pathRoot(std::string_view path, PathStyle style)
{
    std::string root(path.substr(0, rootLength(path, style)));
    for (char& c : root)
        if (isSeparator(c, style))
            c = separator(style);
    if (!root.empty() && !isSeparator(root.back(), style))
        root += separator(style);
    return root;
}

std::vector<std::string> pathParts(std::string_view path, PathStyle style)
{
    std::vector<std::string> parts;
    size_t i = rootLength(path, style);
    while (i < path.size()) {
        size_t end = i;
        while (end < path.size() && !isSeparator(path[end], style))
            ++end;
        const std::string_view name = path.substr(i, end - i);
        if (name == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!name.empty() && name != ".") {
            parts.emplace_back(name);
        }
        i = end + 1;
    }
    return parts;
}

std::string normalPath(std::string_view path, PathStyle style)
{
    std::string out = pathRoot(path, style);
    for (const std::string& part : pathParts(path, style)) {
        if (!out.empty() && !isSeparator(out.back(), style))
            out += separator(style);
        out += part;
    }
    return out;
}

std::string joinPath(std::string_view folder, std::string_view name, PathStyle style)
{
    std::string out(folder);
    if (!out.empty() && !isSeparator(out.back(), style))
        out += separator(style);
    out += name;
    return out;
}

bool pathIsUnder(std::string_view path, std::string_view root, PathStyle style)
{
    if (root.empty() || path.size() < root.size() || !sameName(path.substr(0, root.size()), root, style))
        return false;
    return path.size() == root.size() || isSeparator(root.back(), style) || isSeparator(path[root.size()], style);
}

}  // namespace vornak
