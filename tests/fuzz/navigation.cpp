// The navigation decision on any address, start page and extension list.
//
// Input: three texts separated by NUL bytes (address, start page, extensions), the first byte's
// low bit being the stop-music switch. The oracle derives each part of the decision from the
// rules of the filter: the extension after the address's last dot (no backslash or colon after
// it), listed when an entry equals it regardless of letter case in code page 1252; the three
// close addresses regardless of ASCII letter case; the music stops off the start page only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ascii.h"
#include "fuzz/fuzz_check.h"
#include "window/navigation.h"
#include "window/split_list.h"

namespace {

std::string_view NextPart(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

// Upper case of code page 1252 letters as their two case forms pair up in the code page.
unsigned char Upper(unsigned char c) {
    static constexpr std::string_view kLower = "\x9A\x9C\x9E\xFF";
    static constexpr std::string_view kUpper = "\x8A\x8C\x8E\x9F";
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    const std::size_t at = kLower.find(static_cast<char>(c));
    return at == std::string_view::npos ? c : static_cast<unsigned char>(kUpper[at]);
}

bool SameAnsi(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    velvane::NavigationRequest request;
    request.url = NextPart(rest);
    request.startPagePath = NextPart(rest);
    request.executeExt = NextPart(rest);
    request.stopMusicOnClick = data[0] & 1;
    request.topLevel = data[0] & 2;
    request.pageLoading = data[0] & 4;
    const velvane::NavigationDecision decision = velvane::DecideNavigation(request);

    const std::size_t dot = request.url.rfind('.');
    const bool extensionFollows =
        dot != std::string_view::npos &&
        request.url.find_first_of("\\:", dot) == std::string_view::npos;
    const std::string extension =
        extensionFollows ? std::string(request.url.substr(dot + 1)) : std::string();
    FUZZ_CHECK(velvane::UrlExtension(request.url) == extension);

    bool listed = false;
    for (const std::string& entry : velvane::SplitList(request.executeExt, ",")) {
        listed = listed || SameAnsi(entry, extension);
    }
    FUZZ_CHECK(decision.launchFile == listed);

    const std::string lowered = AsciiLower(request.url);
    const bool close = lowered == "about:close" || lowered == "javascript:window.close();" ||
                       lowered == "javascript:self.close();";
    FUZZ_CHECK(decision.closeMainWindow == close);
    FUZZ_CHECK(decision.Cancel() == (listed || close));
    const bool usersClick = request.topLevel || !request.pageLoading;
    FUZZ_CHECK(decision.stopMusic == (request.stopMusicOnClick && usersClick &&
                                      lowered != AsciiLower(request.startPagePath)));

    FUZZ_CHECK(velvane::LowerAsciiLetters(request.url) == lowered);
    FUZZ_CHECK(velvane::EqualIgnoringCaseAnsi(request.url, request.startPagePath) ==
               SameAnsi(request.url, request.startPagePath));
    return 0;
}
