#include "check/disc_check.h"

#include <algorithm>
#include <map>

#include "check/check_context.h"
#include "services/message_catalogue.h"

namespace velvane {

CheckContext::CheckContext(const std::filesystem::path& folder, std::string shownAs)
    : files_(folder), shownAs_(std::move(shownAs)) {
    if (!shownAs_.empty() && shownAs_.back() != '/' && shownAs_.back() != '\\')
        shownAs_ += static_cast<char>(std::filesystem::path::preferred_separator);
}

std::size_t CheckContext::LineOf(std::string_view section, std::string_view key) const {
    auto found = keyLines.find(std::string(section) + "/" + std::string(key));
    return found == keyLines.end() ? 0 : found->second;
}

void CheckContext::Warn(std::string_view file, std::size_t line, std::string text) {
    Add({{}, line, Severity::Warning, std::move(text), 0, {}}, file);
}

void CheckContext::Error(std::string_view file, std::size_t line, std::string text) {
    Add({{}, line, Severity::Error, std::move(text), 0, {}}, file);
}

void CheckContext::Predict(std::string_view file, std::size_t line, std::string text,
                           std::int32_t id, std::string_view argument) {
    std::string message = GetMessageText("int", id, argument);
    text += "; the program shows " + Quoted(OnOneLine(message));
    Add({{}, line, Severity::Error, std::move(text), id, std::move(message)}, file);
}

void CheckContext::Add(Finding finding, std::string_view file) {
    if (findings_.size() >= kMaxFindings) {
        ++dropped_;
        return;
    }
    finding.file = shownAs_;
    for (char c : file) {
        // Paths inside the disc are written the Windows way; shown the way of this system.
        finding.file += c == '\\' || c == '/'
                            ? static_cast<char>(std::filesystem::path::preferred_separator)
                            : c;
    }
    findings_.push_back(std::move(finding));
}

std::vector<Finding> CheckContext::TakeFindings() {
    // One file's findings together, in the order of their lines; files in the order checked.
    std::map<std::string, std::size_t> fileOrder;
    for (const Finding& f : findings_) fileOrder.emplace(f.file, fileOrder.size());
    std::stable_sort(findings_.begin(), findings_.end(), [&](const Finding& a, const Finding& b) {
        const std::size_t fileA = fileOrder[a.file];
        const std::size_t fileB = fileOrder[b.file];
        return fileA != fileB ? fileA < fileB : a.line < b.line;
    });
    if (dropped_ > 0) {
        findings_.push_back({shownAs_,
                             0,
                             Severity::Warning,
                             std::to_string(dropped_) + " more findings are not shown",
                             0,
                             {}});
        dropped_ = 0;
    }
    return std::move(findings_);
}

std::string Quoted(std::string_view text) {
    // Built by appending: GCC 12 warns wrongly (-Wrestrict) about `"\"" + std::string(...)`.
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

std::vector<Finding> CheckDisc(const std::filesystem::path& folder, const std::string& shownAs) {
    CheckContext context(folder, shownAs);
    std::optional<std::filesystem::path> profile = context.Files().FindFile("autorun.inf");
    if (!profile) {
        // The program reads nothing else then: it shows the message and ends.
        context.Predict("autorun.inf", 0, "autorun.inf is missing", kMsgConfigMissing,
                        context.ProgramFolder() + "autorun.inf");
        return context.TakeFindings();
    }
    DiscFiles::Head head = DiscFiles::ReadHead(*profile, kMaxProfileBytes);
    if (head.size > head.bytes.size()) {
        context.Warn("autorun.inf", 0,
                     "autorun.inf is larger than " + std::to_string(kMaxProfileBytes >> 20) +
                         " MB; only its beginning was checked");
    }
    CheckSettings(context, head.bytes);
    CheckPages(context);
    CheckMediaNames(context);
    return context.TakeFindings();
}

}  // namespace velvane
