#include "window/navigation.h"

#include <array>

#include "core/ascii.h"
#include "window/split_list.h"

namespace velvane {
namespace {

constexpr std::array<std::string_view, 3> kCloseAddresses{
    "about:close", "javascript:window.close();", "javascript:self.close();"};

unsigned char FoldAnsi(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    // Code page 1252: à-þ fold to À-Þ, except ÷ (0xF7); ÿ folds to Ÿ; š œ ž to Š Œ Ž.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    if (c == 0xFF) return 0x9F;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 0x10);
    return c;
}

bool ExtensionListed(std::string_view extension, std::string_view executeExt) {
    for (const std::string& entry : SplitList(LowerAsciiLetters(executeExt), ",")) {
        if (EqualIgnoringCaseAnsi(entry, extension)) return true;
    }
    return false;
}

bool IsCloseAddress(std::string_view url) {
    std::string lowered = LowerAsciiLetters(url);
    for (std::string_view address : kCloseAddresses) {
        if (lowered == address) return true;
    }
    return false;
}

}  // namespace

std::string UrlExtension(std::string_view url) {
    std::size_t last = url.find_last_of(".\\:");
    if (last == std::string_view::npos || url[last] != '.') return {};
    return std::string(url.substr(last + 1));
}

bool EqualIgnoringCaseAnsi(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAnsi(static_cast<unsigned char>(a[i])) !=
            FoldAnsi(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

NavigationDecision DecideNavigation(const NavigationRequest& request) {
    NavigationDecision decision;
    const bool usersClick = request.topLevel || !request.pageLoading;
    decision.stopMusic = request.stopMusicOnClick && usersClick &&
                         LowerAsciiLetters(request.url) != LowerAsciiLetters(request.startPagePath);
    decision.launchFile = ExtensionListed(UrlExtension(request.url), request.executeExt);
    decision.closeMainWindow = IsCloseAddress(request.url);
    return decision;
}

LaunchStep ChooseLaunchStep(bool reportShowing, const std::function<bool()>& fileExists) {
    if (reportShowing) return LaunchStep::None;
    return fileExists() ? LaunchStep::Open : LaunchStep::ReportMissing;
}

}  // namespace velvane
