#pragma once
// A folder of its own in the temp folder for the native tests, removed with everything in it at
// the end of the scope. (The Wine tests use temp_folder_win.h: Windows paths, Win32 calls.)

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace velvane::testsupport {

class TempFolder {
public:
    // `purpose` names the folder, so that a folder left behind by a crash says whose it is.
    explicit TempFolder(const std::string& purpose)
        : root_(std::filesystem::temp_directory_path() /
                ("velvane-" + purpose + "-" + std::to_string(getpid()) + "-" +
                 std::to_string(++counter_))) {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    ~TempFolder() {
        std::error_code ignored;  // a destructor must not throw
        std::filesystem::remove_all(root_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Root() const { return root_; }

    // Writes a file in the folder, making the folders on its way.
    void Write(const std::string& relative, std::string_view content) const {
        const std::filesystem::path path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(content.data(),
                                                    static_cast<std::streamsize>(content.size()));
    }

private:
    static inline int counter_ = 0;
    std::filesystem::path root_;
};

}  // namespace velvane::testsupport
