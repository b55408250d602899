// The Windows release classification and the browser version gate, on any numbers and texts.
//
// Input: sixteen bytes of version numbers, then a text that serves as both the service-pack
// text and the browser's version text. The oracle states the classification as one table of
// the releases it knows; the gate looks at the first four characters only.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "sysinfo/windows_version.h"
#include "window/browser_window.h"

namespace {

// The releases by their numbers, written out as the table of releases reads.
int ReferenceCode(const velvane::OsVersionNumbers& v) {
    const char letter = v.servicePack.size() >= 2 ? v.servicePack[1] : '\0';
    if (v.platformId == 1) {
        if (v.minorVersion == 0) return letter == 'B' ? 2 : 1;                  // 95, 95 OSR2
        if (v.minorVersion == 10) return letter == 'A' ? 4 : 3;                 // 98, 98 SE
        if (v.minorVersion == 90) return v.buildNumber == 0x045A0BB8 ? 5 : 0;   // Me
        return 0;
    }
    if (v.platformId != 2) return 0;
    if (v.majorVersion == 3) return 6;                                          // NT 3.x
    if (v.majorVersion == 4) return 7;                                          // NT 4
    if (v.majorVersion == 5 && v.minorVersion <= 2) return 8 + v.minorVersion;  // 2000, XP, 2003
    return 0;
}

std::optional<long> Whole(std::string_view s) {
    long value = 0;
    if (s.empty() || s.find_first_not_of("0123456789") != std::string_view::npos) return {};
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

bool ReferenceExternal(std::string_view text) {
    const std::string_view head = text.substr(0, 4);
    const std::size_t dot = head.find('.');
    if (dot == std::string_view::npos) return true;
    const std::optional<long> major = Whole(head.substr(0, dot));
    if (!major || *major < 4) return true;
    if (*major > 4) return false;
    return Whole(head.substr(dot + 1)) != std::optional<long>(72);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 16) return 0;
    std::uint32_t n[4];
    std::memcpy(n, data, 16);
    const std::string text(reinterpret_cast<const char*>(data + 16), size - 16);
    // Small numbers most of the time, so that the known releases come up.
    const bool small = n[3] & 0x80000000u;
    velvane::OsVersionNumbers v{small ? n[0] % 8 : n[0], small ? n[1] % 100 : n[1], n[2],
                                small ? n[3] % 4 : n[3], text};

    const velvane::WindowsVersionCode code = velvane::ClassifyWindowsVersion(v);
    FUZZ_CHECK(code <= 10);
    FUZZ_CHECK(code == ReferenceCode(v));
    FUZZ_CHECK(velvane::SupportsDropShadow(code) == (code == 9 || code == 10));

    FUZZ_CHECK(velvane::UseExternalBrowserFor(text) == ReferenceExternal(text));
    const std::uint16_t langId = static_cast<std::uint16_t>(n[2]);
    const std::string language = velvane::LanguageForLangId(langId);
    const bool german = langId == 1031 || langId == 2055 || langId == 3079 || langId == 4103 ||
                        langId == 5127;
    FUZZ_CHECK(language == (german ? "ger" : "int"));
    return 0;
}
