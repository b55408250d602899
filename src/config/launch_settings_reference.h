#pragma once

#include <string>

namespace velvane {

// The key reference of autorun.inf, made from kLaunchSettingKeys: the Markdown table that
// README.md shows (key, kind, default, effect), one row a key, keys sharing a row where the
// table says so. settings-reference prints it; a unit test holds the README's copy against it.
std::string LaunchSettingsReference();

}  // namespace velvane
