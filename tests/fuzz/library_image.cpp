// The disc checker's reader of requirement libraries (PE headers and export names) on any bytes.
//
// Input: a module's first bytes. Besides ASan and UBSan, the oracle checks what the reader
// promises: a machine named only for modules of another processor, bounded export names without
// NUL, and more bytes of the same file never taking a name away: the names read from a prefix
// of the file come in the same order among those read from the whole of it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/library_image.h"
#include "fuzz/fuzz_check.h"

namespace {

bool IsSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    std::size_t at = 0;
    for (const std::string& name : whole) {
        if (at < part.size() && part[at] == name) ++at;
    }
    return at == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const velvane::LibraryImage image = velvane::ReadLibraryImage(bytes);
    using Kind = velvane::LibraryImage::Kind;
    FUZZ_CHECK(image.machine.empty() == (image.kind != Kind::Not32BitX86));
    FUZZ_CHECK(image.kind == Kind::Usable || image.exportNames.empty());
    FUZZ_CHECK(image.kind == Kind::NotWindowsModule || bytes.starts_with("MZ"));
    for (const std::string& name : image.exportNames) {
        FUZZ_CHECK(name.size() <= 512 && name.find('\0') == std::string::npos);
    }
    // A prefix of the file: the headers it holds say the same, its names are among the whole's.
    const velvane::LibraryImage prefix = velvane::ReadLibraryImage(bytes.substr(0, size * 3 / 4));
    if (prefix.kind != Kind::NotWindowsModule) FUZZ_CHECK(prefix.kind == image.kind);
    FUZZ_CHECK(IsSubsequence(prefix.exportNames, image.exportNames));
    return 0;
}
