#pragma once

#include <optional>
#include <string>

namespace velvane {

// Why the bitmap file at `path` is no readable picture, or nullopt when it is sound.
std::optional<std::string> BitmapFileProblem(const std::string& path);

}  // namespace velvane
