// The checks of autorun.inf and of what it names: keys, values, words, files, requirement
// libraries, the start pages, the toolbar and the extensions handed to Windows.

#include <algorithm>
#include <optional>
#include <set>

#include "check/check_context.h"
#include "check/library_image.h"
#include "config/number_rules.h"
#include "config/profile_reader.h"
#include "core/ascii.h"
#include "services/message_catalogue.h"
#include "skin/bitmap_file.h"
#include "window/navigation.h"
#include "window/requirements.h"
#include "window/setup.h"
#include "window/split_list.h"
#include "window/start_page.h"
#include "window/toolbar.h"
#include "window/toolbar_commands.h"

namespace velvane {
namespace {

constexpr std::string_view kProfile = "autorun.inf";
constexpr std::string_view kOwnSection = "velvane";

const LaunchSettingKey* FindKey(std::string_view section, std::string_view name) {
    for (const LaunchSettingKey& key : kLaunchSettingKeys) {
        if (key.section == section && key.name == LowerAsciiLetters(name)) return &key;
    }
    return nullptr;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string_view NearestOwnKey(std::string_view name) {
    const std::string lowered = LowerAsciiLetters(name.substr(0, 64));
    std::string_view nearest;
    std::size_t best = SIZE_MAX;
    for (const LaunchSettingKey& key : kLaunchSettingKeys) {
        if (key.section != kOwnSection) continue;
        const std::size_t distance = EditDistance(lowered, key.name);
        if (distance < best) {
            best = distance;
            nearest = key.name;
        }
    }
    return nearest;
}

void CheckKeyName(CheckContext& c, std::string_view section, std::string_view name,
                  std::size_t line) {
    if (section != kOwnSection || FindKey(section, name)) return;
    if (const LaunchSettingKey* elsewhere = FindKey("autorun", name)) {
        c.Warn(kProfile, line,
               Quoted(name) + " is read from section [" + std::string(elsewhere->section) +
                   "] only; here it is ignored");
        return;
    }
    c.Warn(kProfile, line,
           "unknown key " + Quoted(name) + " is ignored; did you mean " +
               Quoted(NearestOwnKey(name)) + "?");
}

// Sections and keys as the reader takes them: the first section of a name, and in it the
// first key of a name, count; everything else is never read.
void ScanLines(CheckContext& c, std::string_view profileBytes) {
    std::set<std::string> seenSections;
    std::string section;
    bool firstOfName = true;
    ProfileFile::ForEachLine(profileBytes, [&](std::size_t number, const ProfileFile::Line& line) {
        if (line.kind == ProfileFile::Line::Kind::Header) {
            section = LowerAsciiLetters(line.name);
            firstOfName = seenSections.insert(section).second;
            if (!firstOfName && (section == kOwnSection || section == "autorun")) {
                c.Warn(kProfile, number,
                       "section [" + std::string(line.name) +
                           "] comes again; only the first section of a name is read, so the "
                           "keys below are ignored");
            }
            return;
        }
        if (line.kind != ProfileFile::Line::Kind::Key || !firstOfName) return;
        if (section != kOwnSection && section != "autorun") return;
        CheckKeyName(c, section, line.name, number);
        if (!FindKey(section, line.name)) return;
        const std::string id = section + "/" + LowerAsciiLetters(line.name);
        auto [first, inserted] = c.keyLines.emplace(id, number);
        if (!inserted) {
            c.Warn(kProfile, number,
                   Quoted(line.name) + " is given again; the first, in line " +
                       std::to_string(first->second) + ", counts");
        }
    });
}

// A number or switch that does not convert silently takes its default.
void CheckNumbers(CheckContext& c, const ProfileFile& profile) {
    for (const LaunchSettingKey& key : kLaunchSettingKeys) {
        const bool isSwitch = key.kind == SettingKind::Switch;
        if (key.kind != SettingKind::Number && !isSwitch) continue;
        std::optional<std::string> value = profile.Read(key.section, key.name);
        if (!value || ConvertNumber(*value)) continue;
        c.Warn(kProfile, c.LineOf(key.section, key.name),
               std::string(key.name) + "=" + *value + " is not a number, so the default (" +
                   std::string(key.defaultValue) + ") applies" +
                   (isSwitch ? "; a switch is 1 for on and 0 for off" : ""));
    }
}

std::string_view TextDefault(std::string_view name) {
    const LaunchSettingKey* key = FindKey(kOwnSection, name);
    return key ? key->defaultValue : std::string_view();
}

void CheckBorderStyle(CheckContext& c) {
    const std::string& style = c.settings.borderStyle;
    if (FrameForBorderStyle(style) != FrameKind::Sizeable || style == TextDefault("borderstyle"))
        return;
    const std::string lowered = LowerAsciiLetters(style);
    const bool caseOnly = FrameForBorderStyle(lowered) != FrameKind::Sizeable;
    c.Warn(kProfile, c.LineOf(kOwnSection, "borderstyle"),
           "borderstyle=" + style + " gives the sizeable frame" +
               (caseOnly ? "; the words are compared exactly: write " + Quoted(lowered)
                         : std::string("; the words are \"none\", \"dialog\" and \"window\"")));
}

void CheckWindowPosition(CheckContext& c) {
    const std::string& text = c.settings.windowPosition;
    // A full-screen window is never placed, so its position is never read.
    if (!SizingFor(c.settings.fullScreen, c.settings.skin).place) return;
    // The sizes of window and screen play no part in whether the position is valid.
    if (PlaceWindow(text, {}, {}).Valid()) return;
    const bool caseOnly = ParseWindowPosition(LowerAsciiLetters(text)).center;
    c.Predict(kProfile, c.LineOf(kOwnSection, "windowposition"),
              "windowposition=" + text +
                  (caseOnly ? " differs from \"center\" in letter case; the words are compared "
                              "exactly"
                            : " is neither \"center\" nor two numbers \"left,top\""),
              kMsgWindowPosition);
}

// Keys a skinned window never uses.
void CheckUnusedWithSkin(CheckContext& c) {
    if (c.settings.skin.empty()) return;
    for (std::string_view name : {"borderstyle", "windowwidth", "windowheight", "fullscreen"}) {
        if (std::size_t line = c.LineOf(kOwnSection, name)) {
            c.Warn(kProfile, line, std::string(name) + " is not used when a skin is named");
        }
    }
}

void CheckOptionalFile(CheckContext& c, std::string_view section, std::string_view key,
                       const std::string& value, std::string_view consequence) {
    if (value.empty() || c.Files().FindFile(value)) return;
    c.Warn(kProfile, c.LineOf(section, key),
           std::string(key) + " " + Quoted(value) + " is not on the disc; " +
               std::string(consequence));
}

// Why the bitmap file is no readable picture, or nullopt; `size` gets its pixel size.
std::optional<std::string> BitmapProblem(const std::filesystem::path& file,
                                         std::optional<BitmapDimensions>& size) {
    DiscFiles::Head head = DiscFiles::ReadHead(file, kBitmapHeadSize);
    std::optional<std::string> problem = CheckBitmapFile(head.bytes, head.size);
    if (!problem) size = BitmapFileDimensions(head.bytes);
    return problem;
}

void CheckSkin(CheckContext& c) {
    const LaunchSettings& s = c.settings;
    CheckOptionalFile(c, kOwnSection, "skin", s.skin,
                      "the program goes on without it, with the designed frame and a window of "
                      "341 x 262 pixels");
    if (std::optional<std::filesystem::path> file =
            s.skin.empty() ? std::nullopt : c.Files().FindFile(s.skin)) {
        std::optional<BitmapDimensions> size;
        if (std::optional<std::string> problem = BitmapProblem(*file, size)) {
            c.Error(kProfile, c.LineOf(kOwnSection, "skin"),
                    "skin " + Quoted(s.skin) + " is no readable bitmap (" + *problem +
                        "); start-up ends with an unexpected error");
        }
    }
    if (!BrowserFollowsSkin(s.skin, s.skinPosition) || SkinPositionBounds(s.skinPosition)) return;
    c.Predict(kProfile, c.LineOf(kOwnSection, "skinposition"),
              "skinposition=" + s.skinPosition +
                  " is not four numbers left,top,width,height; the start page opens in the "
                  "default browser instead",
              kMsgExternalBrowser);
}

std::optional<std::string> LibraryProblem(const std::filesystem::path& file) {
    const LibraryImage image = ReadLibraryImage(DiscFiles::ReadHead(file, kMaxLibraryBytes).bytes);
    switch (image.kind) {
        case LibraryImage::Kind::NotWindowsModule:
            return "is no Windows DLL";
        case LibraryImage::Kind::Not32BitX86:
            return "is a library for " + image.machine +
                   "; the program is 32-bit and loads only 32-bit x86 DLLs";
        case LibraryImage::Kind::Usable:
            break;
    }
    const auto& names = image.exportNames;
    if (std::find(names.begin(), names.end(), "CheckRequirement") != names.end()) return {};
    for (const std::string& name : names) {
        if (name.starts_with("CheckRequirement@") || name.starts_with("_CheckRequirement@")) {
            return "exports only the decorated name " + Quoted(name) +
                   ", not CheckRequirement; export the plain name by linking with "
                   "-Wl,--kill-at (MinGW) or with a .def file that lists "
                   "\"EXPORTS CheckRequirement\"";
        }
    }
    return "does not export CheckRequirement";
}

// The requirement libraries as the disc shows them, by their paths relative to the disc. A
// missing or unusable library is predicted with the program's message; a usable one is taken to
// answer "fulfilled", since only running it tells.
class DiscLibraries final : public RequirementLibraries {
public:
    explicit DiscLibraries(CheckContext& c)
        : c_(c), line_(c.LineOf(kOwnSection, "requirements")) {}

    bool FileExists(const std::string& relative) override {
        return !relative.empty() && c_.Files().FindFile(relative);
    }
    void ReportMissing(const std::string& relative) override {
        const bool blanks = relative.find_first_of(" \t") != std::string::npos;
        c_.Predict(kProfile, line_,
                   "requirement library " + Quoted(relative) + " is missing" +
                       (blanks ? " (the blanks are part of its name)" : "") +
                       "; it then counts as fulfilled",
                   kMsgDllLoadError, c_.ProgramFolder() + relative);
    }
    bool Fulfilled(const std::string& relative) override {
        std::optional<std::filesystem::path> file = c_.Files().FindFile(relative);
        std::optional<std::string> problem = file ? LibraryProblem(*file) : std::nullopt;
        if (problem) {
            c_.Predict(kProfile, line_, "requirement library " + Quoted(relative) + " " + *problem,
                       kMsgDllLoadError, c_.ProgramFolder() + relative);
        }
        return !problem;
    }

private:
    CheckContext& c_;
    std::size_t line_;
};

RequirementOutcome CheckRequirements(CheckContext& c) {
    DiscLibraries libraries(c);
    return CheckRequirementLibraries("", c.settings.requirements, c.settings.altStartPage,
                                     libraries);
}

// The page the program shows first: the start page, or the alternative one when a requirement
// is sure to fail and that page is there.
std::string CheckStartPages(CheckContext& c, RequirementOutcome requirements) {
    const LaunchSettings& s = c.settings;
    const bool altThere = !s.altStartPage.empty() && c.Files().FindFile(s.altStartPage);
    std::string shown = s.startPage;
    const std::string alt = s.altStartPage.empty()
                                ? std::string("no altstartpage is named")
                                : "altstartpage " + Quoted(s.altStartPage) + " is missing";
    if (requirements == RequirementOutcome::Stop) {
        c.Predict(kProfile, c.LineOf(kOwnSection, "requirements"),
                  "a requirement library cannot be used, so the requirements are not "
                  "fulfilled, and " +
                      alt,
                  kMsgRequirementsFailed);
        return shown;
    }
    if (!s.requirements.empty() && !altThere && !s.altStartPage.empty()) {
        c.Warn(kProfile, c.LineOf(kOwnSection, "altstartpage"),
               alt + "; when a requirement is not fulfilled the program shows " +
                   Quoted(OnOneLine(GetMessageText("int", kMsgRequirementsFailed, ""))));
    }
    if (requirements == RequirementOutcome::AltStartPage) shown = s.altStartPage;
    if (!c.Files().FindFile(shown)) {
        c.Predict(kProfile, c.LineOf(kOwnSection, "startpage"),
                  shown.empty() ? std::string("no start page is named")
                                : "start page " + Quoted(shown) + " is missing",
                  kMsgStartPageMissing, c.ProgramFolder() + shown);
    }
    return shown;
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string> ToolbarWordProblem(const std::string& entry) {
    if (ToolCommandFor(entry) != ToolCommand::None) return std::nullopt;
    if (entry.empty()) return "an empty toolbar entry (two commas in a row) does nothing";
    const std::string word = TrimBlanks(entry);
    if (ToolCommandFor(word) != ToolCommand::None) {
        return "toolbar entry " + Quoted(entry) +
               " carries blanks, so its button does nothing: the words are compared exactly";
    }
    if (ToolCommandFor(LowerAsciiLetters(word)) != ToolCommand::None) {
        return "toolbar entry " + Quoted(entry) + " differs from " +
               Quoted(LowerAsciiLetters(word)) + " in letter case, so its button does nothing";
    }
    return "toolbar entry " + Quoted(entry) +
           " is no command word (exit, print, goback, goforward, gohome, search, copy), so its "
           "button does nothing";
}

// A bitmap's size as the program reads it, in 32 bits; the checked headers stay within them.
Size AsSize(const BitmapDimensions& size) {
    auto side = [](std::int64_t pixels) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(pixels, 0, INT32_MAX));
    };
    return {side(size.width), side(size.height)};
}

void CheckToolbar(CheckContext& c) {
    const LaunchSettings& s = c.settings;
    const std::size_t line = c.LineOf(kOwnSection, "toolbar");
    std::optional<BitmapDimensions> first;
    std::string firstName;
    for (const std::string& entry : SplitList(s.toolbar, ",")) {
        if (std::optional<std::string> problem = ToolbarWordProblem(entry))
            c.Warn(kProfile, line, *problem);
        const std::string relative = ToolbarBitmapPath("", s.buttonDir, entry);
        std::optional<std::filesystem::path> file = c.Files().FindFile(relative);
        if (!file) {
            c.Predict(kProfile, line,
                      "the bitmap " + Quoted(relative) + " of toolbar button " + Quoted(entry) +
                          " is missing",
                      kMsgButtonBitmapMissing, c.ProgramFolder() + relative);
            continue;
        }
        std::optional<BitmapDimensions> size;
        if (std::optional<std::string> problem = BitmapProblem(*file, size)) {
            c.Error(kProfile, line,
                    "the bitmap " + Quoted(relative) + " is no readable bitmap (" + *problem +
                        "); start-up ends with an unexpected error");
            continue;
        }
        if (!size) continue;
        if (!first) {
            first = size;
            firstName = relative;
        } else if (FitButtonImage(false, AsSize(*size), AsSize(*first)) ==
                   ButtonImageFit::WrongSize) {
            c.Predict(kProfile, line,
                      "the bitmap " + Quoted(relative) + " is " + std::to_string(size->width) +
                          " x " + std::to_string(size->height) + " pixels, but " +
                          Quoted(firstName) + " is " + std::to_string(first->width) + " x " +
                          std::to_string(first->height),
                      kMsgButtonSizes);
        }
    }
}

bool HandedToShell(const CheckContext& c, const std::string& url) {
    return DecideNavigation({url, url, c.settings.executeExt, false}).launchFile;
}

void CheckExecuteExt(CheckContext& c, const std::string& startPage) {
    const std::size_t line = c.LineOf(kOwnSection, "executeext");
    for (const std::string& entry : SplitList(c.settings.executeExt, ",")) {
        if (entry.empty()) {
            c.Warn(kProfile, line,
                   "executeext has an empty entry (a leading comma or two in a row); it matches "
                   "every address without an extension, and the program cancels those and "
                   "reports them missing");
        } else if (entry.find_first_of(" \t") != std::string::npos) {
            c.Warn(kProfile, line,
                   "executeext entry " + Quoted(entry) +
                       " carries blanks, so it never matches; write the extensions without "
                       "blanks, such as \"exe,pdf\"");
        } else if (entry.front() == '.') {
            c.Warn(kProfile, line,
                   "executeext entry " + Quoted(entry) +
                       " never matches; write the extensions without their dot");
        }
    }
    const std::string startPath = c.ProgramFolder() + startPage;
    const bool startHanded = c.Files().FindFile(startPage) && HandedToShell(c, startPath);
    if (startHanded) {
        c.Warn(kProfile, line,
               "executeext lists the start page's own extension " +
                   Quoted(UrlExtension(startPath)) +
                   ": the program hands the start page to Windows, and its window stays empty");
    }
    for (std::string_view extension : {"htm", "html"}) {
        if (!HandedToShell(c, c.ProgramFolder() + "page." + std::string(extension))) continue;
        if (startHanded && EqualIgnoringCaseAnsi(UrlExtension(startPath), extension)) continue;
        c.Warn(kProfile, line,
               "executeext lists " + Quoted(extension) +
                   ": every such page is handed to Windows instead of being shown");
    }
}

}  // namespace

void CheckSettings(CheckContext& c, std::string_view profileBytes) {
    const ProfileFile profile = ProfileFile::Parse(profileBytes);
    c.settings = ReadLaunchSettingsFrom(profile);
    ScanLines(c, profileBytes);
    CheckNumbers(c, profile);
    const LaunchSettings& s = c.settings;
    if (s.skin.empty()) CheckBorderStyle(c);
    CheckUnusedWithSkin(c);
    CheckOptionalFile(c, "autorun", "icon", s.icon, "the window keeps the program's own icon");
    CheckOptionalFile(c, kOwnSection, "intromusic", s.introMusic, "no music plays");
    CheckSkin(c);
    const RequirementOutcome requirements = CheckRequirements(c);
    const std::string startPage = CheckStartPages(c, requirements);
    CheckWindowPosition(c);
    CheckToolbar(c);
    CheckExecuteExt(c, startPage);
}

}  // namespace velvane
