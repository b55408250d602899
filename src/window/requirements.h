#pragma once
// The requirement libraries a disc names, and what their answers make of the start: the start
// page, the alternative start page, or no start at all.

#include <string>
#include <string_view>

namespace velvane {

// The file a requirement entry names: the program folder followed by the entry, with ".dll"
// added when the entry has no extension (no "." after its last "\" or ":").
std::string RequirementLibraryPath(std::string_view programFolder, std::string_view entry);

// What the check needs of the outside world: the program asks the libraries themselves, the disc
// checker predicts their answers from their files.
class RequirementLibraries {
public:
    virtual bool FileExists(const std::string& path) = 0;
    // A named library that is not there (the program reports it with its message).
    virtual void ReportMissing(const std::string& path) = 0;
    // Whether the library at `path` answers "fulfilled"; a library that cannot be used does not.
    virtual bool Fulfilled(const std::string& path) = 0;

protected:
    ~RequirementLibraries() = default;
};

enum class RequirementOutcome {
    Met,           // every library answered "fulfilled" (or there was none)
    AltStartPage,  // one did not, and the alternative start page replaces the start page
    Stop,          // one did not, and there is no alternative start page: the message, and no start
};

// Asks every entry of `requirements` in order, also after a failure. A library that is not
// there cannot object: it is reported, and counts as fulfilled. The alternative start page is
// looked for only when a library said no.
RequirementOutcome CheckRequirementLibraries(std::string_view programFolder,
                                             std::string_view requirements,
                                             std::string_view altStartPage,
                                             RequirementLibraries& libraries);

}  // namespace velvane
