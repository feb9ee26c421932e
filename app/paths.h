// Paths as text, written the way the platform writes them: POSIX paths
// ("/home/user") or DOS paths ("C:\GAMES", "\\server\share\DOCS"), where
// both '\' and '/' separate and names compare without case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornak {

enum class PathStyle { Posix, Dos };

// The root a path starts at ("/", "C:\", "\\server\share\"), empty for a
// relative path.
std::string pathRoot(std::string_view path, PathStyle style);

// An absolute path lexically normal: one separator between names (the
// style's own), no "." or ".." (".." above the root stays at the root), and
// a separator at the end only on a root.
std::string normalPath(std::string_view path, PathStyle style);

// The names of the levels of a path below its root, in order.
std::vector<std::string> pathParts(std::string_view path, PathStyle style);

// A name joined to a folder.
std::string joinPath(std::string_view folder, std::string_view name, PathStyle style);

// Whether a normal path is root itself or lies below it.
bool pathIsUnder(std::string_view path, std::string_view root, PathStyle style);

}  // namespace vornak
