#include "config/launch_settings_reference.h"

#include <cstddef>
#include <span>
#include <string_view>

#include "config/launch_settings.h"

namespace velvane {
namespace {

std::string_view KindWords(SettingKind kind) {
    switch (kind) {
        case SettingKind::Text:
            return "text";
        case SettingKind::File:
            return "text: file";
        case SettingKind::Folder:
            return "text: folder";
        case SettingKind::List:
            return "list";
        case SettingKind::FileList:
            return "list of files";
        case SettingKind::Number:
            return "number";
        case SettingKind::Switch:
            return "switch";
    }
    return {};
}

std::string Code(std::string_view text) {
    return "`" + std::string(text) + "`";
}

// A switch reads "on" or "off"; an empty text has no default; every other default is a value
// to type, so it is shown as code.
std::string DefaultWords(const LaunchSettingKey& key) {
    if (key.kind == SettingKind::Switch) return std::string(key.defaultValue);
    if (key.defaultValue.empty()) return "none";
    return Code(key.defaultValue);
}

// The row of `keys.front()` and of the keys after it that share its row.
std::string Row(std::span<const LaunchSettingKey> keys) {
    std::string names;
    std::string defaults;
    for (const LaunchSettingKey& key : keys) {
        if (!names.empty()) {
            names += ", ";
            defaults += ", ";
        }
        names += Code(key.name);
        defaults += DefaultWords(key);
    }
    const LaunchSettingKey& first = keys.front();
    // Keys outside the program's own section (the icon, from [autorun]) name their section.
    if (first.section != "velvane") {
        names += " (in " + Code("[" + std::string(first.section) + "]") + ")";
    }
    return "| " + names + " | " + std::string(KindWords(first.kind)) + " | " + defaults + " | " +
           std::string(first.effect) + " |\n";
}

}  // namespace

std::string LaunchSettingsReference() {
    const std::span<const LaunchSettingKey> keys = kLaunchSettingKeys;
    std::string table = "| Key | Kind | Default | Effect |\n|---|---|---|---|\n";
    for (std::size_t first = 0; first < keys.size();) {
        std::size_t end = first + 1;
        while (end < keys.size() && keys[end].effect == kSameRowAsAbove) ++end;
        table += Row(keys.subspan(first, end - first));
        first = end;
    }
    return table;
}

}  // namespace velvane
