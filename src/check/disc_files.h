#pragma once
// The files of a disc folder as the program on Windows finds them: names relative to the
// program folder, "\" or "/" between folders, letter case ignored, trailing dots and blanks of
// a name dropped. Works the same on a file system that minds letter case.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velvane {

class DiscFiles {
public:
    explicit DiscFiles(std::filesystem::path root);

    const std::filesystem::path& Root() const { return root_; }

    // The program folder a disc in this folder gets: its absolute path and a separator.
    const std::string& ProgramFolder() const { return programFolder_; }

    // The file (not a folder) that `relative` names, or nullopt when there is none.
    std::optional<std::filesystem::path> FindFile(std::string_view relative) const;

    // The first `limit` bytes of a file, and its whole size; an unreadable file reads as empty.
    struct Head {
        std::string bytes;
        std::uint64_t size = 0;
    };
    static Head ReadHead(const std::filesystem::path& file, std::size_t limit);

private:
    std::optional<std::filesystem::path> FindEntry(std::string_view relative) const;

    std::filesystem::path root_;
    std::string programFolder_;
    // Pages name the same files over and over; each name is looked up on the disc once.
    mutable std::map<std::string, std::optional<std::filesystem::path>> found_;
};

// `relative` with its "." and ".." steps resolved and "\" between names, or nullopt when it
// climbs above the disc's root.
std::optional<std::string> NormaliseDiscPath(std::string_view relative);

}  // namespace velvane
