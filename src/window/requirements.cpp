#include "window/requirements.h"

#include "window/split_list.h"

namespace velvane {

std::string RequirementLibraryPath(std::string_view programFolder, std::string_view entry) {
    std::string path(programFolder);
    path += entry;
    std::size_t nameStart = path.find_last_of("\\:");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    if (path.find('.', nameStart) == std::string::npos) path += ".dll";
    return path;
}

RequirementOutcome CheckRequirementLibraries(std::string_view programFolder,
                                             std::string_view requirements,
                                             std::string_view altStartPage,
                                             RequirementLibraries& libraries) {
    bool met = true;
    for (const std::string& entry : SplitList(requirements, ",")) {
        const std::string path = RequirementLibraryPath(programFolder, entry);
        if (!libraries.FileExists(path)) {
            libraries.ReportMissing(path);
            continue;
        }
        if (!libraries.Fulfilled(path)) met = false;
    }
    if (met) return RequirementOutcome::Met;
    std::string altPath(programFolder);
    altPath += altStartPage;
    return libraries.FileExists(altPath) ? RequirementOutcome::AltStartPage
                                         : RequirementOutcome::Stop;
}

}  // namespace velvane
