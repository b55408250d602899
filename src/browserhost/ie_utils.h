#pragma once
// Platform-free parts of the browser support routines.

#include <cstdint>
#include <string>

namespace velvane {

// The version-resource query for "FileVersion" under the first translation entry: language in
// the low 16 bits, code page in the high 16 bits, each as four lower-case hex digits.
std::string FileVersionQueryPath(std::uint32_t translation);

}  // namespace velvane
