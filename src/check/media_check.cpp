// Limits of the medium: names a disc's file system keeps, and paths Windows programs can open.

#include <system_error>

#include "check/check_context.h"

namespace velvane {
namespace {

constexpr std::size_t kMaxNameLength = 64;   // Joliet
constexpr std::size_t kMaxPathLength = 259;  // a path's length in the classic API
constexpr std::size_t kDriveLength = 3;      // "D:\"

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

// Characters, not bytes: names on this system are UTF-8.
std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void CheckEntry(CheckContext& c, const std::filesystem::path& root,
                const std::filesystem::path& entry) {
    const std::string name = Utf8(entry.filename());
    std::string relative = Utf8(entry.lexically_relative(root));
    for (char& ch : relative) {
        if (ch == '/') ch = '\\';
    }
    const std::size_t nameLength = CharacterCount(name);
    if (nameLength > kMaxNameLength) {
        c.Warn(relative, 0,
               "the name is " + std::to_string(nameLength) +
                   " characters long; a disc keeps at "
                   "most " +
                   std::to_string(kMaxNameLength));
    }
    for (char ch : name) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            c.Warn(relative, 0,
                   "the name holds characters beyond ASCII; the program works in the ANSI code "
                   "page of the user's Windows, which may lack them");
            break;
        }
    }
    const std::size_t pathLength = kDriveLength + CharacterCount(relative);
    if (pathLength > kMaxPathLength) {
        c.Warn(relative, 0,
               "the path on the disc is " + std::to_string(pathLength) +
                   " characters long; Windows programs open at most " +
                   std::to_string(kMaxPathLength));
    }
}

}  // namespace

void CheckMediaNames(CheckContext& c) {
    namespace fs = std::filesystem;
    const fs::path& root = c.Files().Root();
    std::error_code error;
    std::size_t count = 0;
    for (fs::recursive_directory_iterator
             it(root, fs::directory_options::skip_permission_denied, error),
         end;
         !error && it != end && count < kMaxDiscEntries; it.increment(error), ++count) {
        CheckEntry(c, root, it->path());
    }
}

}  // namespace velvane
