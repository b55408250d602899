#include "check/disc_files.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <vector>

#include "window/navigation.h"

namespace velvane {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Steps(std::string_view relative) {
    std::vector<std::string> steps;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= relative.size(); ++at) {
        if (at < relative.size() && relative[at] != '\\' && relative[at] != '/') continue;
        std::string step(relative.substr(start, at - start));
        start = at + 1;
        // Windows drops a name's trailing dots and blanks ("odd." is "odd"), but "." and ".."
        // are steps of their own.
        if (step != "." && step != "..") {
            while (!step.empty() && (step.back() == '.' || step.back() == ' ')) step.pop_back();
        }
        if (!step.empty()) steps.push_back(std::move(step));
    }
    return steps;
}

// The entry of `folder` named `name`: exactly, or else regardless of letter case, as Windows
// compares names.
std::optional<fs::path> EntryOf(const fs::path& folder, const std::string& name) {
    std::error_code error;
    fs::path exact = folder / fs::path(name);
    if (fs::exists(fs::symlink_status(exact, error))) return exact;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::u8string entry = it->path().filename().u8string();
        if (EqualIgnoringCaseAnsi(std::string(entry.begin(), entry.end()), name)) return it->path();
    }
    return std::nullopt;
}

}  // namespace

DiscFiles::DiscFiles(fs::path root) : root_(std::move(root)) {
    std::error_code error;
    fs::path absolute = fs::absolute(root_, error);
    programFolder_ = (error ? root_ : absolute).lexically_normal().string();
    const char separator = static_cast<char>(fs::path::preferred_separator);
    if (programFolder_.empty() || (programFolder_.back() != '/' && programFolder_.back() != '\\'))
        programFolder_ += separator;
}

std::optional<fs::path> DiscFiles::FindEntry(std::string_view relative) const {
    std::optional<std::string> normal = NormaliseDiscPath(relative);
    if (!normal) return std::nullopt;
    fs::path at = root_;
    for (const std::string& step : Steps(*normal)) {
        std::optional<fs::path> next = EntryOf(at, step);
        if (!next) return std::nullopt;
        at = *next;
    }
    return at;
}

std::optional<fs::path> DiscFiles::FindFile(std::string_view relative) const {
    auto known = found_.find(std::string(relative));
    if (known != found_.end()) return known->second;
    std::optional<fs::path> entry = FindEntry(relative);
    std::error_code error;
    if (entry && !fs::is_regular_file(*entry, error)) entry.reset();
    found_.emplace(std::string(relative), entry);
    return entry;
}

DiscFiles::Head DiscFiles::ReadHead(const fs::path& file, std::size_t limit) {
    Head head;
    std::error_code error;
    head.size = fs::file_size(file, error);
    if (error) return {};
    std::ifstream in(file, std::ios::binary);
    head.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(head.size, limit)));
    in.read(head.bytes.data(), static_cast<std::streamsize>(head.bytes.size()));
    head.bytes.resize(static_cast<std::size_t>(in ? head.bytes.size() : in.gcount()));
    return head;
}

std::optional<std::string> NormaliseDiscPath(std::string_view relative) {
    std::vector<std::string> kept;
    for (std::string& step : Steps(relative)) {
        if (step == ".") continue;
        if (step == "..") {
            if (kept.empty()) return std::nullopt;
            kept.pop_back();
            continue;
        }
        kept.push_back(std::move(step));
    }
    std::string path;
    for (const std::string& step : kept) {
        if (!path.empty()) path += '\\';
        path += step;
    }
    return path;
}

}  // namespace velvane
