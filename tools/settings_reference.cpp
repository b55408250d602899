// settings-reference: prints the key reference of autorun.inf, the Markdown table that README.md
// shows under "The `autorun.inf` reference". After changing a key, paste its output over that
// table; a unit test fails until the two agree.

#include <cstdio>
#include <string>

#include "config/launch_settings_reference.h"

int main() {
    const std::string table = velvane::LaunchSettingsReference();
    return std::fwrite(table.data(), 1, table.size(), stdout) == table.size() ? 0 : 1;
}
