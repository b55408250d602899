// The page model (links and frames read from the page file, as an HTML engine would find them)
// and the forms in which the control reports an address: a plain path, or a file: URL with
// percent-escapes of the UTF-8 bytes, as later versions of the control send for local pages.

#include <cctype>
#include <cwctype>
#include <string>

#include "standin/standin.h"

namespace velvane::standin {
namespace {

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    CloseHandle(file);
    return content;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The value of attribute `name` in the text of one tag, "" when absent.
std::wstring Attribute(const std::string& tag, const char* name) {
    std::string lower = Lower(tag);
    std::string key = std::string(name) + "=";
    for (std::size_t at = lower.find(key); at != std::string::npos; at = lower.find(key, at + 1)) {
        if (at > 0 && !std::isspace(static_cast<unsigned char>(lower[at - 1]))) continue;
        std::size_t start = at + key.size();
        if (start >= tag.size()) return {};
        char quote = tag[start];
        if (quote == '"' || quote == '\'') {
            std::size_t end = tag.find(quote, start + 1);
            return FromUtf8(tag.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1));
        }
        std::size_t end = tag.find_first_of(" \t\r\n>", start);
        return FromUtf8(tag.substr(start, end == std::string::npos ? std::string::npos : end - start));
    }
    return {};
}

// Every tag `<name ...>` of the page, as its text between the angle brackets.
std::vector<std::string> Tags(const std::string& page, const char* name) {
    std::vector<std::string> tags;
    std::string lower = Lower(page);
    std::string open = std::string("<") + name;
    for (std::size_t at = lower.find(open); at != std::string::npos; at = lower.find(open, at + 1)) {
        std::size_t after = at + open.size();
        if (after >= lower.size() || !std::isspace(static_cast<unsigned char>(lower[after]))) continue;
        std::size_t end = page.find('>', after);
        tags.push_back(page.substr(after, end == std::string::npos ? std::string::npos : end - after));
    }
    return tags;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::wstring PercentDecode(const std::wstring& text) {
    std::string bytes = Utf8(text), decoded;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        int high = i + 2 < bytes.size() && bytes[i] == '%' ? HexDigit(bytes[i + 1]) : -1;
        int low = high >= 0 ? HexDigit(bytes[i + 2]) : -1;
        if (bytes[i] == '%' && high >= 0 && low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += bytes[i];
        }
    }
    return FromUtf8(decoded);
}

bool HasScheme(const std::wstring& href) {
    std::size_t colon = href.find(L':');
    if (colon == std::wstring::npos || colon < 2) return false;  // "C:" is a drive
    for (std::size_t i = 0; i < colon; ++i) {
        if (!std::iswalpha(href[i])) return false;
    }
    return true;
}

}  // namespace

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    std::size_t length = wcslen(prefix);
    return text.size() >= length && _wcsnicmp(text.c_str(), prefix, length) == 0;
}

PageModel ReadPageModel(const std::wstring& path) {
    PageModel model;
    std::string page = ReadBytes(path);
    for (const std::string& tag : Tags(page, "a")) {
        model.links.push_back({Attribute(tag, "href"), Attribute(tag, "target"), Attribute(tag, "id")});
    }
    for (const char* kind : {"frame", "iframe"}) {
        for (const std::string& tag : Tags(page, kind)) {
            model.frames.push_back({Attribute(tag, "src"), Attribute(tag, "name")});
        }
    }
    return model;
}

std::wstring PathFromAddress(const std::wstring& address) {
    if (StartsWithNoCase(address, L"file:///")) {
        std::wstring path = PercentDecode(address.substr(8));
        for (wchar_t& c : path) {
            if (c == L'/') c = L'\\';
        }
        return path;
    }
    if (address.size() > 2 && address[1] == L':' && (address[2] == L'\\' || address[2] == L'/')) {
        return address;
    }
    return {};
}

std::wstring AddressFromPath(const std::wstring& path, Profile profile) {
    if (profile == Profile::Plain) return path;
    static const char kKept[] = "-._~/:!$&'()*+,;=@";
    std::wstring address = L"file:///";
    for (unsigned char byte : Utf8(path)) {
        char c = byte == '\\' ? '/' : static_cast<char>(byte);
        if (std::isalnum(byte) && byte < 0x80) {
            address += static_cast<wchar_t>(c);
        } else if (byte < 0x80 && std::string(kKept).find(c) != std::string::npos) {
            address += static_cast<wchar_t>(c);
        } else {
            static const char kHex[] = "0123456789ABCDEF";
            address += L'%';
            address += static_cast<wchar_t>(kHex[byte >> 4]);
            address += static_cast<wchar_t>(kHex[byte & 15]);
        }
    }
    return address;
}

std::wstring ResolveLink(const std::wstring& pagePath, const std::wstring& href, Profile profile) {
    if (HasScheme(href)) return href;
    std::wstring path;
    if (href.size() > 2 && href[1] == L':') {
        path = href;
    } else {
        // A raw "#" starts the fragment, which names no file; an escaped one (%23) is part of a name.
        std::wstring relative = PercentDecode(href.substr(0, href.find(L'#')));
        for (wchar_t& c : relative) {
            if (c == L'/') c = L'\\';
        }
        path = pagePath.substr(0, pagePath.find_last_of(L'\\') + 1) + relative;
    }
    return AddressFromPath(path, profile);
}

}  // namespace velvane::standin
