#include "check/page_links.h"

#include <algorithm>

#include "core/ascii.h"
#include "window/navigation.h"

namespace velvane {
namespace {

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Reads one tag from `at` (just past its "<") and returns the position after its ">".
class TagReader {
public:
    TagReader(std::string_view html, std::size_t at) : html_(html), at_(at) {}

    std::string Name() {
        std::size_t start = at_;
        while (at_ < html_.size() && IsNameChar(html_[at_])) ++at_;
        return LowerAsciiLetters(html_.substr(start, at_ - start));
    }

    // The next attribute as {name, value}; false at the tag's end.
    bool NextAttribute(std::string& name, std::string& value, std::size_t& valueAt) {
        while (at_ < html_.size() && (IsSpace(html_[at_]) || html_[at_] == '/')) ++at_;
        if (at_ >= html_.size() || html_[at_] == '>') return false;
        std::size_t start = at_;
        while (at_ < html_.size() && !IsSpace(html_[at_]) && html_[at_] != '=' && html_[at_] != '>')
            ++at_;
        name = LowerAsciiLetters(html_.substr(start, at_ - start));
        if (at_ == start) ++at_;  // a stray character: step over it
        value.clear();
        valueAt = at_;
        std::size_t probe = at_;
        while (probe < html_.size() && IsSpace(html_[probe])) ++probe;
        if (probe >= html_.size() || html_[probe] != '=') return true;
        at_ = probe + 1;
        while (at_ < html_.size() && IsSpace(html_[at_])) ++at_;
        valueAt = at_;
        value = ReadValue();
        return true;
    }

    std::size_t End() const { return std::min(html_.size(), at_ + 1); }

private:
    std::string ReadValue() {
        if (at_ < html_.size() && (html_[at_] == '"' || html_[at_] == '\'')) {
            const char quote = html_[at_++];
            std::size_t end = html_.find(quote, at_);
            if (end == std::string_view::npos) end = html_.size();
            std::string value(html_.substr(at_, end - at_));
            at_ = std::min(html_.size(), end + 1);
            return value;
        }
        std::size_t start = at_;
        while (at_ < html_.size() && !IsSpace(html_[at_]) && html_[at_] != '>') ++at_;
        return std::string(html_.substr(start, at_ - start));
    }

    std::string_view html_;
    std::size_t at_;
};

// The attribute of a tag that holds a link, and whether following it is a navigation.
struct LinkAttribute {
    std::string_view tag;
    std::string_view attribute;
    bool navigates;
};
constexpr LinkAttribute kLinkAttributes[] = {
    {"a", "href", true},     {"area", "href", true},  {"frame", "src", true},
    {"iframe", "src", true}, {"img", "src", false},   {"script", "src", false},
    {"link", "href", false}, {"embed", "src", false}, {"body", "background", false},
    {"input", "src", false},
};

std::string ResolveAmpersands(std::string_view text) {
    std::string resolved;
    resolved.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        resolved += text[at];
        if (text.substr(at, 5) == "&amp;") at += 4;
    }
    return resolved;
}

// Skips the text of a script or style element, which holds no tags.
std::size_t SkipRawText(std::string_view html, std::size_t at, const std::string& tag) {
    if (tag != "script" && tag != "style") return at;
    const std::string closing = "</" + tag;
    for (at = html.find("</", at); at != std::string_view::npos; at = html.find("</", at + 2)) {
        if (LowerAsciiLetters(html.substr(at, closing.size())) == closing) return at;
    }
    return html.size();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::vector<PageLink> FindPageLinks(std::string_view html) {
    std::vector<PageLink> links;
    std::size_t line = 1;
    std::size_t counted = 0;  // `line` is the line of this position
    auto lineAt = [&](std::size_t at) {
        line +=
            static_cast<std::size_t>(std::count(html.begin() + counted, html.begin() + at, '\n'));
        counted = at;
        return line;
    };
    for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at)) {
        if (html.substr(at, 4) == "<!--") {
            std::size_t end = html.find("-->", at + 4);
            at = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        TagReader tag(html, at + 1);
        const std::string name = tag.Name();
        std::string attribute;
        std::string value;
        std::size_t valueAt = 0;
        while (tag.NextAttribute(attribute, value, valueAt)) {
            for (const LinkAttribute& link : kLinkAttributes) {
                if (name == link.tag && attribute == link.attribute) {
                    links.push_back({ResolveAmpersands(value), lineAt(valueAt), link.navigates});
                }
            }
        }
        at = SkipRawText(html, tag.End(), name);
    }
    return links;
}

bool DeclaresDocumentMode(std::string_view html) {
    for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at)) {
        TagReader tag(html, at + 1);
        const bool meta = tag.Name() == "meta";
        std::string attribute;
        std::string value;
        std::size_t valueAt = 0;
        while (tag.NextAttribute(attribute, value, valueAt)) {
            if (meta && attribute == "http-equiv" && LowerAsciiLetters(value) == "x-ua-compatible")
                return true;
        }
        at = tag.End();
    }
    return false;
}

std::string LocalPathOfLink(std::string_view target) {
    const std::size_t colon = target.find(':');
    const std::size_t firstSeparator = target.find_first_of("/\\?#");
    // A scheme ("http:", "about:") or a drive ("D:") comes before any separator.
    if (colon != std::string_view::npos && colon < firstSeparator) return {};
    target = target.substr(0, target.find_first_of("?#"));
    std::string path;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] == '%' && i + 2 < target.size() && HexValue(target[i + 1]) >= 0 &&
            HexValue(target[i + 2]) >= 0) {
            path += static_cast<char>(HexValue(target[i + 1]) * 16 + HexValue(target[i + 2]));
            i += 2;
        } else {
            path += target[i];
        }
    }
    return path;
}

}  // namespace velvane
