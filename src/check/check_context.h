#pragma once
// What the parts of the disc checker share while they look at one disc.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "check/disc_files.h"
#include "check/finding.h"
#include "config/launch_settings.h"

namespace velvane {

// Reading limits: a disc may hold anything, and the checker must neither run out of memory nor
// take forever on it.
constexpr std::size_t kMaxProfileBytes = 16u << 20;
constexpr std::size_t kMaxLibraryBytes = 64u << 20;
constexpr std::size_t kMaxPageBytes = 4u << 20;
constexpr std::size_t kMaxPages = 2000;
constexpr std::size_t kMaxLinksPerPage = 5000;
constexpr std::size_t kMaxDiscEntries = 200000;
constexpr std::size_t kMaxFindings = 1000;

class CheckContext {
public:
    CheckContext(const std::filesystem::path& folder, std::string shownAs);

    const DiscFiles& Files() const { return files_; }
    const std::string& ProgramFolder() const { return files_.ProgramFolder(); }

    LaunchSettings settings;
    // Where each key of the settings stands: "section/key" (lower case) to its line.
    std::map<std::string, std::size_t> keyLines;
    std::size_t LineOf(std::string_view section, std::string_view key) const;

    void Warn(std::string_view file, std::size_t line, std::string text);
    void Error(std::string_view file, std::size_t line, std::string text);
    // An error the program reports with message `id` of its catalogue; the finding quotes the
    // English text the user would see.
    void Predict(std::string_view file, std::size_t line, std::string text, std::int32_t id,
                 std::string_view argument = {});

    std::vector<Finding> TakeFindings();

private:
    void Add(Finding finding, std::string_view file);

    DiscFiles files_;
    std::string shownAs_;
    std::vector<Finding> findings_;
    std::size_t dropped_ = 0;
};

// `text` in double quotes, as findings quote values and names.
std::string Quoted(std::string_view text);

void CheckSettings(CheckContext& context, std::string_view profileBytes);
void CheckPages(CheckContext& context);
void CheckMediaNames(CheckContext& context);

}  // namespace velvane
