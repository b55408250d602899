#include "window/navigation_url.h"

#include <optional>

namespace velvane {
namespace {

bool IsSlash(char16_t c) {
    return c == u'/' || c == u'\\';
}

char16_t LowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAscii(text[i]) != prefix[i])
            return false;
    }
    return true;
}

bool IsDriveStart(std::u16string_view text) {
    // "D:" or the old spelling "D|".
    return text.size() >= 2 && LowerAscii(text[0]) >= u'a' && LowerAscii(text[0]) <= u'z' &&
           (text[1] == u':' || text[1] == u'|');
}

std::optional<unsigned> HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    c = LowerAscii(c);
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return std::nullopt;
}

// The byte of an escape "%XY" at `at`, if there is one.
std::optional<char> EscapedByte(std::u16string_view text, std::size_t at) {
    if (at + 2 >= text.size() || text[at] != u'%')
        return std::nullopt;
    std::optional<unsigned> high = HexValue(text[at + 1]);
    std::optional<unsigned> low = HexValue(text[at + 2]);
    if (!high || !low)
        return std::nullopt;
    return static_cast<char>(*high * 16 + *low);
}

std::u16string DecodeEscapes(std::u16string_view text, const AnsiDecoder& decodeAnsi) {
    std::u16string decoded;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string run;
        while (i < text.size()) {
            std::optional<char> byte = EscapedByte(text, i);
            if (!byte)
                break;
            run += *byte;
            i += 3;
        }
        if (!run.empty()) {
            if (!DecodeUtf8(run, decoded)) {
                if (decodeAnsi) {
                    decoded += decodeAnsi(run);
                } else {
                    for (char byte : run) decoded += static_cast<unsigned char>(byte);
                }
            }
            continue;
        }
        decoded += text[i++];  // a lone "%" that starts no escape stays
    }
    return decoded;
}

// What follows "file:" as a path with the URL's slashes still in it.
std::u16string_view PathPart(std::u16string_view rest, bool& unc) {
    std::size_t slashes = 0;
    while (slashes < rest.size() && IsSlash(rest[slashes])) ++slashes;
    rest.remove_prefix(slashes);
    if (slashes == 2 && StartsWithIgnoringCase(rest, u"localhost") && rest.size() > 9 &&
        IsSlash(rest[9])) {
        rest.remove_prefix(10);
        slashes = 3;
    }
    unc = !IsDriveStart(rest) && slashes >= 2;
    return rest;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& out) {
    std::u16string decoded;
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF               ? 3
                             : lead >= 0xF0 && lead <= 0xF4               ? 4
                                                                          : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (code >= 0x10000) {
            code -= 0x10000;
            decoded += static_cast<char16_t>(0xD800 + (code >> 10));
            decoded += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            decoded += static_cast<char16_t>(code);
        }
        i += length;
    }
    out += decoded;
    return true;
}

std::u16string PathFromUrl(std::u16string_view url, const AnsiDecoder& decodeAnsi) {
    if (!StartsWithIgnoringCase(url, u"file:"))
        return std::u16string(url);
    bool unc = false;
    std::u16string_view part = PathPart(url.substr(5), unc);
    std::u16string path = unc ? u"\\\\" : u"";
    // Only the URL's own slashes are separators; escapes are decoded afterwards.
    for (char16_t c : part) path += c == u'/' ? u'\\' : c;
    if (IsDriveStart(path) && path[1] == u'|')
        path[1] = u':';
    return DecodeEscapes(path, decodeAnsi);
}

}  // namespace velvane
