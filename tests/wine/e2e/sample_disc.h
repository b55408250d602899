#pragma once
// A sample disc laid out in a fresh temp folder: autostart.exe copied from the build, plus
// whatever files a test writes. The folder is removed again with the object.

#include <windows.h>

#include <string>
#include <string_view>

#include "driver/driver.h"

namespace velvane::e2e {

class SampleDisc {
public:
    SampleDisc();
    ~SampleDisc();
    SampleDisc(const SampleDisc&) = delete;
    SampleDisc& operator=(const SampleDisc&) = delete;

    // The disc's root folder, with a trailing backslash.
    const std::string& Folder() const { return folder_; }

    void Write(const std::string& relativePath, std::string_view content) const;
    driver::Process Start(const driver::Environment& extra = {}) const;

private:
    std::string folder_;
};

// The folder this test program runs from (the build's output folder), with a trailing backslash.
std::string BuildFolder();

}  // namespace velvane::e2e
