#pragma once
// The links of an HTML page, read leniently from its text: whatever the browser would follow
// (a, area, frame, iframe) or fetch (img, script, link, ...), with the line each stands on.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velvane {

struct PageLink {
    std::string target;  // the attribute's value, character references for "&" resolved
    std::size_t line = 0;
    bool navigates = false;  // a link the user follows or a frame, not a picture or style
};

std::vector<PageLink> FindPageLinks(std::string_view html);

// Whether the page declares its document mode with <meta http-equiv="X-UA-Compatible" ...>.
bool DeclaresDocumentMode(std::string_view html);

// A link's target as a path on the disc: query and fragment cut, %XX decoded; empty for a
// link that leaves the disc (a scheme such as http: or about:, or a drive letter).
std::string LocalPathOfLink(std::string_view target);

}  // namespace velvane
