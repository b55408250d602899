#include "config/profile_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/ascii.h"

namespace velvane {
namespace {

constexpr char kReplacement = '?';

// Code points of the code page 1252 bytes 0x80-0x9F. The five bytes the code page leaves
// undefined map to the C1 control of the same number, as Windows converts them both ways.
constexpr std::array<char16_t, 32> kCp1252HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToCp1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    const auto found = std::find(kCp1252HighControls.begin(), kCp1252HighControls.end(), codePoint);
    if (found == kCp1252HighControls.end()) {
        return kReplacement;
    }
    return static_cast<char>(0x80 + (found - kCp1252HighControls.begin()));
}

struct Utf8Lead {
    int continuationCount;
    std::uint8_t secondLow;   // the second byte's range narrows to exclude overlong forms,
    std::uint8_t secondHigh;  // surrogates and values beyond U+10FFFF
};

std::optional<Utf8Lead> ClassifyUtf8Lead(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return Utf8Lead{1, 0x80, 0xBF};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return Utf8Lead{2, lead == 0xE0 ? std::uint8_t{0xA0} : std::uint8_t{0x80},
                        lead == 0xED ? std::uint8_t{0x9F} : std::uint8_t{0xBF}};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return Utf8Lead{3, lead == 0xF0 ? std::uint8_t{0x90} : std::uint8_t{0x80},
                        lead == 0xF4 ? std::uint8_t{0x8F} : std::uint8_t{0xBF}};
    }
    return std::nullopt;
}

// Decodes the character at `pos` and moves past it. An ill-formed sequence yields nullopt and is
// skipped as a whole up to the first byte that cannot continue it (one replacement per maximal
// ill-formed part, as Windows' own decoder does).
std::optional<char32_t> DecodeUtf8(std::string_view bytes, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(bytes[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    const std::optional<Utf8Lead> shape = ClassifyUtf8Lead(lead);
    if (!shape) {
        return std::nullopt;
    }
    char32_t codePoint = lead & (0x3F >> shape->continuationCount);
    for (int i = 0; i < shape->continuationCount; ++i) {
        if (pos >= bytes.size()) {
            return std::nullopt;
        }
        const auto next = static_cast<std::uint8_t>(bytes[pos]);
        const std::uint8_t low = i == 0 ? shape->secondLow : std::uint8_t{0x80};
        const std::uint8_t high = i == 0 ? shape->secondHigh : std::uint8_t{0xBF};
        if (next < low || next > high) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
        ++pos;
    }
    return codePoint;
}

std::string Utf8ToCp1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::optional<char32_t> codePoint = DecodeUtf8(bytes, pos);
        text.push_back(codePoint ? ToCp1252(*codePoint) : kReplacement);
    }
    return text;
}

enum class ByteOrder { kLittleEndian, kBigEndian };

char16_t Utf16Unit(std::string_view bytes, std::size_t unitIndex, ByteOrder order) {
    const auto first = static_cast<std::uint8_t>(bytes[2 * unitIndex]);
    const auto second = static_cast<std::uint8_t>(bytes[2 * unitIndex + 1]);
    return order == ByteOrder::kLittleEndian ? static_cast<char16_t>(first | (second << 8))
                                             : static_cast<char16_t>((first << 8) | second);
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// A dangling odd byte at the end cannot form a unit and is dropped.
std::string Utf16ToCp1252(std::string_view bytes, ByteOrder order) {
    const std::size_t unitCount = bytes.size() / 2;
    std::string text;
    text.reserve(unitCount);
    for (std::size_t i = 0; i < unitCount; ++i) {
        const char16_t unit = Utf16Unit(bytes, i, order);
        // A surrogate pair stands for one character, and it lies beyond the code page.
        if (IsHighSurrogate(unit) && i + 1 < unitCount &&
            IsLowSurrogate(Utf16Unit(bytes, i + 1, order))) {
            ++i;
            text.push_back(kReplacement);
            continue;
        }
        text.push_back(ToCp1252(unit));
    }
    return text;
}

std::string DecodeToCp1252(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return Utf8ToCp1252(bytes.substr(3));
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return Utf16ToCp1252(bytes.substr(2), ByteOrder::kLittleEndian);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return Utf16ToCp1252(bytes.substr(2), ByteOrder::kBigEndian);
    }
    return std::string(bytes);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Windows hands names and values over as C strings, so a NUL ends them.
std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string_view StripMatchingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Calls `onLine` with each line of `text`; CR LF, LF and a lone CR each end a line.
template <typename OnLine>
void ForEachTextLine(std::string_view text, OnLine onLine) {
    std::size_t begin = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != '\n' && text[pos] != '\r') {
            continue;
        }
        onLine(text.substr(begin, pos - begin));
        if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
            ++pos;
        }
        begin = pos + 1;
    }
    if (begin < text.size()) {
        onLine(text.substr(begin));
    }
}

// Case-insensitive so that names differing only in letter case share a hash.
std::uint32_t HashName(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 16777619u;
    }
    return hash ^ (hash >> 16);  // the low bits pick a slot of the recent-name memo
}

// Finds the first i in [begin, end) whose hash matches and whose name passes `isName`.
template <typename IsName>
std::optional<std::size_t> FindByHash(const std::vector<std::uint32_t>& hashes, std::size_t begin,
                                      std::size_t end, std::uint32_t hash, IsName isName) {
    const auto last = hashes.begin() + static_cast<std::ptrdiff_t>(end);
    for (auto it = hashes.begin() + static_cast<std::ptrdiff_t>(begin);
         (it = std::find(it, last, hash)) != last; ++it) {
        const auto index = static_cast<std::size_t>(it - hashes.begin());
        if (isName(index)) {
            return index;
        }
    }
    return std::nullopt;
}

// A small direct-mapped memo of recently added names. Files that repeat a few sections or keys
// over and over (the usual shape of a huge file) are thereby stored once; a name the memo has
// forgotten is merely stored again, where lookups, going in file order, never reach it.
class RecentNames {
public:
    // The index of the remembered name with this hash, if any.
    std::optional<std::uint32_t> Recall(std::uint32_t hash) const {
        const Slot& slot = slots_[hash % kSlotCount];
        if (slot.indexPlusOne == 0 || slot.hash != hash) {
            return std::nullopt;
        }
        return slot.indexPlusOne - 1;
    }
    void Remember(std::uint32_t hash, std::size_t index) {
        slots_[hash % kSlotCount] = Slot{hash, static_cast<std::uint32_t>(index + 1)};
    }

private:
    static constexpr std::size_t kSlotCount = 1 << 14;  // small enough to stay in cache
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t indexPlusOne = 0;
    };
    std::vector<Slot> slots_ = std::vector<Slot>(kSlotCount);
};

}  // namespace

class ProfileFile::Builder {
public:
    explicit Builder(ProfileFile& file) : file_(file) {
        // Keys before the first header belong to section "".
        AddHeader(std::string_view(file_.text_).substr(0, 0));
    }

    void AddLine(std::string_view text) {
        const Line line = ReadLine(text);
        if (line.kind == Line::Kind::Header) {
            AddHeader(line.name);
        } else if (line.kind == Line::Kind::Key && !inRepeatedSection_) {
            AddKey(line.name, line.value);
        }
    }

private:
    // The keys of a section whose name came before can never be found, so they are not kept.
    void AddHeader(std::string_view name) {
        const std::uint32_t hash = HashName(name);
        const std::optional<std::uint32_t> seen = recentHeaders_.Recall(hash);
        inRepeatedSection_ =
            seen && EqualIgnoringAsciiCase(file_.View(file_.headers_[*seen].name), name);
        if (inRepeatedSection_) {
            return;
        }
        recentHeaders_.Remember(hash, file_.headers_.size());
        file_.headers_.push_back(
            Header{file_.SpanOf(name), static_cast<std::uint32_t>(file_.keys_.size())});
        file_.headerHashes_.push_back(hash);
    }

    void AddKey(std::string_view name, std::string_view value) {
        const std::uint32_t hash = HashName(name);
        const std::optional<std::uint32_t> seen = recentKeys_.Recall(hash);
        if (seen && *seen >= file_.headers_.back().firstKey &&
            EqualIgnoringAsciiCase(file_.View(file_.keys_[*seen].name), name)) {
            return;
        }
        recentKeys_.Remember(hash, file_.keys_.size());
        file_.keys_.push_back(Key{file_.SpanOf(name), file_.SpanOf(value)});
        file_.keyHashes_.push_back(hash);
    }

    ProfileFile& file_;
    bool inRepeatedSection_ = false;
    RecentNames recentHeaders_;
    RecentNames recentKeys_;
};

ProfileFile::Line ProfileFile::ReadLine(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.front() == ';') {
        return {};
    }
    const std::size_t closing = text.front() == '[' ? text.rfind(']') : std::string_view::npos;
    if (closing != std::string_view::npos) {
        // "[ velvane ]" names the section "velvane", as the system's reader has it.
        return {Line::Kind::Header, CutAtNul(TrimBlanks(text.substr(1, closing - 1))), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    const std::string_view value = CutAtNul(TrimBlanks(text.substr(equals + 1)));
    return {Line::Kind::Key, CutAtNul(TrimBlanks(text.substr(0, equals))),
            StripMatchingQuotes(value).substr(0, kMaxValueLength)};
}

void ProfileFile::ForEachLine(std::string_view fileBytes,
                              const std::function<void(std::size_t, const Line&)>& onLine) {
    const std::string text = DecodeToCp1252(fileBytes);
    std::size_t number = 0;
    ForEachTextLine(text, [&](std::string_view line) { onLine(++number, ReadLine(line)); });
}

ProfileFile ProfileFile::Parse(std::string_view fileBytes) {
    ProfileFile file;
    file.text_ = DecodeToCp1252(fileBytes);
    // Offsets are 32-bit; no profile comes near 4 GiB, and a 32-bit process cannot hold one.
    file.text_.resize(std::min<std::size_t>(file.text_.size(), UINT32_MAX));
    Builder builder(file);
    ForEachTextLine(file.text_, [&builder](std::string_view line) { builder.AddLine(line); });
    return file;
}

std::optional<std::string> ProfileFile::Read(std::string_view section, std::string_view key) const {
    const std::optional<std::size_t> header = FindHeader(section);
    if (!header) {
        return std::nullopt;
    }
    const std::optional<std::size_t> found = FindKey(*header, key);
    if (!found) {
        return std::nullopt;
    }
    return std::string(View(keys_[*found].value));
}

std::optional<std::size_t> ProfileFile::FindHeader(std::string_view name) const {
    return FindByHash(headerHashes_, 0, headerHashes_.size(), HashName(name), [&](std::size_t i) {
        return EqualIgnoringAsciiCase(View(headers_[i].name), name);
    });
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t header, std::string_view name) const {
    return FindByHash(keyHashes_, headers_[header].firstKey, EndKeyOf(header), HashName(name),
                      [&](std::size_t i) { return EqualIgnoringAsciiCase(View(keys_[i].name), name); });
}

std::uint32_t ProfileFile::EndKeyOf(std::size_t header) const {
    return header + 1 < headers_.size() ? headers_[header + 1].firstKey
                                        : static_cast<std::uint32_t>(keys_.size());
}

ProfileFile::Span ProfileFile::SpanOf(std::string_view slice) const {
    return Span{static_cast<std::uint32_t>(slice.data() - text_.data()),
                static_cast<std::uint32_t>(slice.size())};
}

std::string_view ProfileFile::View(Span span) const {
    return std::string_view(text_).substr(span.begin, span.length);
}

}  // namespace velvane
