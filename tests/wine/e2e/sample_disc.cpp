#include "e2e/sample_disc.h"

#include <stdexcept>
#include <utility>

namespace velvane::e2e {

std::string BuildFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

SampleDisc::SampleDisc(std::string programName) : programName_(std::move(programName)) {
    // Every disc has a start page; tests that want none remove it from their autorun.inf.
    Write("index.html", "<html><body>Sample disc</body></html>");
    std::string exe = BuildFolder() + "autostart.exe";
    if (!CopyFileA(exe.c_str(), folder_.File(programName_).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + exe);
    }
}

void SampleDisc::CopyFromBuild(const std::string& buildFile,
                               const std::string& relativePath) const {
    Write(relativePath, "");  // creates the folders on the way
    std::string from = BuildFolder() + buildFile;
    if (!CopyFileA(from.c_str(), folder_.File(relativePath).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + from);
    }
}

driver::Process SampleDisc::Start(const driver::Environment& extra) const {
    return driver::Start(folder_.File(programName_), Folder(), extra);
}

}  // namespace velvane::e2e
