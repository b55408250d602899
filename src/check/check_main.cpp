// velvane-check: finds what will go wrong with a disc before it is burned.
//   velvane-check [--json] DISC_FOLDER
//   velvane-check --version
// Exit code 0 without errors, 1 with errors, 2 for a usage problem.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "check/disc_check.h"
#include "velvane_version.h"

namespace {

constexpr int kUsageProblem = 2;

int Usage(const char* problem) {
    if (problem) std::fprintf(stderr, "velvane-check: %s\n", problem);
    std::fputs("usage: velvane-check [--json] DISC_FOLDER\n"
               "       velvane-check --version\n",
               problem ? stderr : stdout);
    return problem ? kUsageProblem : 0;
}

int Check(const std::string& folder, bool json) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "velvane-check: %s is no folder\n", folder.c_str());
        return kUsageProblem;
    }
    const std::vector<velvane::Finding> findings = velvane::CheckDisc(folder, folder);
    bool errors = false;
    for (const velvane::Finding& finding : findings) {
        errors = errors || finding.severity == velvane::Severity::Error;
        if (!json) std::puts(velvane::FormatFinding(finding).c_str());
    }
    if (json) std::fputs(velvane::FindingsAsJson(findings).c_str(), stdout);
    return errors ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--json") {
            json = true;
        } else if (argument == "--version") {
            // The same version as autostart.exe's version resource: both come from the project.
            std::puts("velvane-check " VELVANE_VERSION_TEXT);
            return 0;
        } else if (argument == "--help" || argument == "-h") {
            return Usage(nullptr);
        } else if (argument.starts_with("-")) {
            return Usage("unknown option");
        } else if (folder) {
            return Usage("one disc folder only");
        } else {
            folder = argv[i];
        }
    }
    if (!folder) return Usage("no disc folder given");
    try {
        return Check(folder, json);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velvane-check: %s\n", e.what());
        return kUsageProblem;
    }
}
