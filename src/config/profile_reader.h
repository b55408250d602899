#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velvane {

// The contents of an autorun.inf style profile, read the way the Windows profile functions read
// it, so that the program behaves the same whichever reader a disc was authored against.
class ProfileFile {
public:
    ProfileFile() = default;  // a file without sections or keys

    // Decodes `fileBytes` (code page 1252, or UTF-8 / UTF-16 when a byte order mark says so)
    // to code page 1252 and indexes its sections and keys. Never fails: what cannot be
    // understood is skipped or replaced by '?'.
    static ProfileFile Parse(std::string_view fileBytes);

    // The value of `key` in `section` (both matched without regard to ASCII letter case), or
    // std::nullopt when the section or the key is absent. A key present with nothing after its
    // "=" gives "". Only the first section of a name and the first key of a name count.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // Callers of the Windows reader pass a 2048-char buffer, so longer values are cut to this.
    static constexpr std::size_t kMaxValueLength = 2047;

    // One line of the decoded text as the reader understands it.
    struct Line {
        enum class Kind { Other, Header, Key };  // Other: blank, comment, or no "=" in it
        Kind kind = Kind::Other;
        std::string_view name;   // the section's name for a header, the key's for a key
        std::string_view value;  // a key's value: blanks and matching quotes gone, cut
    };
    static Line ReadLine(std::string_view line);

    // Decodes `fileBytes` as Parse does and hands every line to `onLine` with its number
    // (counted from 1), so that tools can point at the line a key came from.
    static void ForEachLine(std::string_view fileBytes,
                            const std::function<void(std::size_t, const Line&)>& onLine);

private:
    class Builder;

    // Names and values are slices of the decoded text rather than strings of their own, and
    // offsets rather than views keep a copied or moved file valid.
    struct Span {
        std::uint32_t begin = 0;
        std::uint32_t length = 0;
    };
    struct Header {
        Span name;
        std::uint32_t firstKey = 0;  // its keys run up to the next header's firstKey
    };
    struct Key {
        Span name;
        Span value;
    };

    std::optional<std::size_t> FindHeader(std::string_view name) const;
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view name) const;
    std::uint32_t EndKeyOf(std::size_t header) const;
    Span SpanOf(std::string_view slice) const;
    std::string_view View(Span span) const;

    std::string text_;  // the whole file in code page 1252
    // Lookups scan these in file order, so the first section or key of a name is found first.
    // Hashes are kept apart from the records so that the scans read little memory.
    std::vector<Header> headers_;
    std::vector<std::uint32_t> headerHashes_;
    std::vector<Key> keys_;
    std::vector<std::uint32_t> keyHashes_;
};

}  // namespace velvane
