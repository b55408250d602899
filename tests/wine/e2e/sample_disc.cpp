#include "e2e/sample_disc.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace velvane::e2e {
namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string BuildFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

SampleDisc::SampleDisc(std::string programName) : programName_(std::move(programName)) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        folder_ = std::string(temp) + "velvane-disc-" + std::to_string(GetCurrentProcessId()) +
                  "-" + std::to_string(++counter) + "\\";
        if (CreateDirectoryA(folder_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no temp folder");
    }
    // Every disc has a start page; tests that want none remove it from their autorun.inf.
    Write("index.html", "<html><body>Sample disc</body></html>");
    std::string exe = BuildFolder() + "autostart.exe";
    if (!CopyFileA(exe.c_str(), (folder_ + programName_).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + exe);
    }
}

SampleDisc::~SampleDisc() {
    RemoveTree(folder_);
}

void SampleDisc::Write(const std::string& relativePath, std::string_view content) const {
    std::string path = folder_ + relativePath;
    for (std::size_t slash = path.find('\\', folder_.size()); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
        if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || !written) break;
        done += written;
    }
    CloseHandle(file);
}

void SampleDisc::CopyFromBuild(const std::string& buildFile,
                               const std::string& relativePath) const {
    Write(relativePath, "");  // creates the folders on the way
    std::string from = BuildFolder() + buildFile;
    if (!CopyFileA(from.c_str(), (folder_ + relativePath).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + from);
    }
}

std::string SampleDisc::Read(const std::string& relativePath) const {
    return driver::ReadFileText(folder_ + relativePath);
}

driver::Process SampleDisc::Start(const driver::Environment& extra) const {
    return driver::Start(folder_ + programName_, folder_, extra);
}

}  // namespace velvane::e2e
