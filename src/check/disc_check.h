#pragma once
// The disc checker: reads a disc folder the way autostart.exe would and reports everything that
// will make it stop or show a message (errors) and what silently differs from what the disc's
// author probably meant (warnings).

#include <filesystem>
#include <string>
#include <vector>

#include "check/finding.h"

namespace velvane {

// `shownAs` is the folder as the user named it; findings name files under it.
std::vector<Finding> CheckDisc(const std::filesystem::path& folder, const std::string& shownAs);

}  // namespace velvane
