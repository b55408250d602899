// The disc checker's readers of pages and paths on any text.
//
// Input: an HTML page. Every link found stands on a line the page has, in page order; a link's
// local path, normalised as a disc path, normalises to itself again and holds no "." or ".."
// step and no "/".

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/disc_files.h"
#include "check/page_links.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckDiscPath(std::string_view relative) {
    const std::optional<std::string> normal = velvane::NormaliseDiscPath(relative);
    if (!normal) return;
    FUZZ_CHECK(normal->find('/') == std::string::npos);
    FUZZ_CHECK(velvane::NormaliseDiscPath(*normal) == normal);
    const std::string steps = "\\" + *normal + "\\";
    FUZZ_CHECK(steps.find("\\.\\") == std::string::npos);
    FUZZ_CHECK(steps.find("\\..\\") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const std::vector<velvane::PageLink> links = velvane::FindPageLinks(html);
    const std::size_t lines = 1 + static_cast<std::size_t>(std::count(html.begin(), html.end(), '\n'));
    std::size_t previous = 1;
    for (const velvane::PageLink& link : links) {
        FUZZ_CHECK(link.line >= previous && link.line <= lines);
        previous = link.line;
        const std::string path = velvane::LocalPathOfLink(link.target);
        FUZZ_CHECK(path.size() <= link.target.size());
        CheckDiscPath(path);
    }
    velvane::DeclaresDocumentMode(html);
    CheckDiscPath(html.substr(0, 300));
    return 0;
}
