#pragma once
// A sample disc laid out in a fresh temp folder: autostart.exe copied from the build, plus
// whatever files a test writes. The folder is removed again with the object (tests/support).

#include <windows.h>

#include <string>
#include <string_view>

#include "driver/driver.h"
#include "support/bitmap_file.h"
#include "support/temp_folder_win.h"

namespace velvane::e2e {

// The pictures sample discs are made of.
using testsupport::Bitmap24;
using testsupport::PlainBitmap;

class SampleDisc {
public:
    // The program is copied onto the disc under `programName`: it does not care about its name,
    // and a name of its own keeps per-program Wine settings apart between tests.
    explicit SampleDisc(std::string programName = "autostart.exe");
    SampleDisc(const SampleDisc&) = delete;
    SampleDisc& operator=(const SampleDisc&) = delete;

    // The disc's root folder, with a trailing backslash.
    const std::string& Folder() const { return folder_.Path(); }

    void Write(const std::string& relativePath, std::string_view content) const {
        folder_.Write(relativePath, content);
    }
    // Copies a file of the build's output folder (a test library or program) onto the disc.
    void CopyFromBuild(const std::string& buildFile, const std::string& relativePath) const;
    // The content of a file on the disc, or empty when it does not exist.
    std::string Read(const std::string& relativePath) const { return folder_.Read(relativePath); }
    driver::Process Start(const driver::Environment& extra = {}) const;

private:
    testsupport::TempFolder folder_{"disc"};
    std::string programName_;
};

// The folder this test program runs from (the build's output folder), with a trailing backslash.
std::string BuildFolder();

}  // namespace velvane::e2e
