// The autorun.inf reader against a plain reference reader, and the launch settings read from it.
//
// Input: the file's bytes. Files without a byte order mark are their own decoded text, so every
// section and key name they contain is looked up in both readers. The reference keeps every line
// in a list and searches it from the top, with none of the real reader's hashing and memo of
// recent names; names that collide in that hash are in the seed corpus.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/launch_settings.h"
#include "config/number_rules.h"
#include "config/profile_reader.h"
#include "fuzz/fuzz_check.h"

namespace {

using velvane::ProfileFile;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string_view UpToNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

struct Entry {
    bool header = false;
    std::string_view name;
    std::string_view value;
};

std::vector<Entry> ReferenceEntries(std::string_view text) {
    std::vector<Entry> entries;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(begin, end - begin));
        if (!line.empty() && line.front() != ';') {
            std::size_t close = line.front() == '[' ? line.rfind(']') : std::string_view::npos;
            std::size_t equals = line.find('=');
            if (close != std::string_view::npos) {
                entries.push_back({true, UpToNul(Trim(line.substr(1, close - 1))), {}});
            } else if (equals != std::string_view::npos) {
                std::string_view value = UpToNul(Trim(line.substr(equals + 1)));
                if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                    value.back() == value.front()) {
                    value = value.substr(1, value.size() - 2);
                }
                entries.push_back({false, UpToNul(Trim(line.substr(0, equals))),
                                   value.substr(0, ProfileFile::kMaxValueLength)});
            }
        }
        if (end == text.size()) break;
        begin = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return entries;
}

// The first section of the name, then the first key of the name up to the next header.
std::optional<std::string> ReferenceRead(const std::vector<Entry>& entries,
                                         std::string_view section, std::string_view key) {
    // Keys before the first header are in section "", which a later "[]" cannot reopen.
    std::size_t i = 0;
    bool found = section.empty();
    for (; !found && i < entries.size(); ++i) {
        found = entries[i].header && SameName(entries[i].name, section);
    }
    if (!found) return std::nullopt;
    for (; i < entries.size() && !entries[i].header; ++i) {
        if (SameName(entries[i].name, key)) return std::string(entries[i].value);
    }
    return std::nullopt;
}

bool HasByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
           bytes.starts_with("\xFE\xFF");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProfileFile file = ProfileFile::Parse(bytes);
    const velvane::LaunchSettings settings = velvane::ReadLaunchSettingsFrom(file);
    FUZZ_CHECK(settings.buttonDir.empty() || settings.buttonDir.back() == '\\' ||
               settings.buttonDir.back() == '/');

    if (HasByteOrderMark(bytes)) {
        for (const char* key : {"startpage", "skin", "toolbar", "icon"}) {
            const std::optional<std::string> value = file.Read("velvane", key);
            FUZZ_CHECK(!value || value->size() <= ProfileFile::kMaxValueLength);
            FUZZ_CHECK(!value || value->find_first_of(std::string_view("\r\n\0", 3)) ==
                                     std::string::npos);
        }
        return 0;
    }

    const std::vector<Entry> entries = ReferenceEntries(bytes);
    std::vector<std::string_view> sections{""};
    std::vector<std::string_view> keys{"startpage", "windowwidth"};
    for (const Entry& e : entries) {
        if (e.header && sections.size() < 24) sections.push_back(e.name);
        if (!e.header && keys.size() < 48) keys.push_back(e.name);
    }
    for (std::string_view section : sections) {
        for (std::string_view key : keys) {
            FUZZ_CHECK(file.Read(section, key) == ReferenceRead(entries, section, key));
        }
    }
    // The number keys follow the number rules on what the reader found.
    FUZZ_CHECK(settings.windowWidth ==
               velvane::ReadNumber(ReferenceRead(entries, "velvane", "windowwidth"), 400));
    FUZZ_CHECK(settings.windowHeight ==
               velvane::ReadNumber(ReferenceRead(entries, "velvane", "windowheight"), 300));
    return 0;
}
