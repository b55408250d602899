#include "browserhost/ie_utils.h"

#include <cstdio>

namespace velvane {

std::string FileVersionQueryPath(std::uint32_t translation) {
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\FileVersion",
                  static_cast<unsigned>(translation & 0xFFFF),
                  static_cast<unsigned>(translation >> 16));
    return path;
}

}  // namespace velvane
