#pragma once
// Files for the Wine tests: a folder of its own in the temp folder, removed with everything in
// it at the end of the scope, and whole files written and read. (The native tests use
// temp_folder.h.)

#include <string>
#include <string_view>

namespace velvane::testsupport {

// Writes `content` as the whole file at `path`; throws when the file cannot be written.
void WriteWholeFile(const std::string& path, std::string_view content);

// The whole content of a file, or "" when it cannot be opened (also while another program
// writes it).
std::string ReadFileText(const std::string& path);

// The Windows path of a file in the source tree, given relative to the repository's root.
std::string SourceTreePath(const std::string& relative);

class TempFolder {
public:
    // `purpose` names the folder, so that a folder left behind by a crash says whose it is.
    explicit TempFolder(const std::string& purpose = "test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's full path, with a trailing backslash: bare file names in profile calls would
    // resolve to the Windows folder.
    const std::string& Path() const { return path_; }
    // The path of a file in the folder.
    std::string File(const std::string& relative) const { return path_ + relative; }
    // Writes a file in the folder, making the folders on its way.
    void Write(const std::string& relative, std::string_view content) const;
    std::string Read(const std::string& relative) const { return ReadFileText(File(relative)); }

private:
    std::string path_;
};

}  // namespace velvane::testsupport
