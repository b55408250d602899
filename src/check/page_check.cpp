// The pages a disc shows: the start pages and every page reachable from them by relative links,
// each link judged the way the main window's navigation filter will judge it.

#include <array>
#include <deque>
#include <set>

#include "check/check_context.h"
#include "check/page_links.h"
#include "core/ascii.h"
#include "services/message_catalogue.h"
#include "window/navigation.h"

namespace velvane {
namespace {

// Extensions of pages whose links are followed further.
constexpr std::array<std::string_view, 4> kPageExtensions{"htm", "html", "xhtml", "shtml"};
// What the browser shows by itself; any other file it offers to download.
constexpr std::array<std::string_view, 14> kShownExtensions{"htm", "html", "xhtml", "shtml", "txt",
                                                            "gif", "jpg",  "jpeg",  "png",   "bmp",
                                                            "ico", "svg",  "xml",   "css"};

template <std::size_t N>
bool Listed(const std::array<std::string_view, N>& list, std::string_view extension) {
    for (std::string_view entry : list) {
        if (EqualIgnoringCaseAnsi(entry, extension)) return true;
    }
    return false;
}

std::string FolderOf(const std::string& page) {
    const std::size_t slash = page.find_last_of('\\');
    return slash == std::string::npos ? std::string() : page.substr(0, slash + 1);
}

class PageCrawl {
public:
    explicit PageCrawl(CheckContext& context) : c_(context) {}

    void Run() {
        const LaunchSettings& s = c_.settings;
        Enqueue(s.startPage);
        if (!s.requirements.empty()) Enqueue(s.altStartPage);
        while (!queue_.empty()) {
            const std::string page = std::move(queue_.front());
            queue_.pop_front();
            CheckPage(page);
        }
    }

private:
    void Enqueue(const std::string& relative) {
        std::optional<std::string> normal = NormaliseDiscPath(relative);
        if (!normal || normal->empty() || !c_.Files().FindFile(*normal)) return;
        if (!Listed(kPageExtensions, UrlExtension(*normal))) return;
        if (seen_.size() >= kMaxPages) return;
        // Pages link to each other in circles; each is read once, whatever its spelling.
        if (seen_.insert(LowerAsciiLetters(*normal)).second) queue_.push_back(std::move(*normal));
    }

    void CheckPage(const std::string& page) {
        DiscFiles::Head head = DiscFiles::ReadHead(*c_.Files().FindFile(page), kMaxPageBytes);
        if (head.size > head.bytes.size()) {
            c_.Warn(page, 0,
                    "the page is larger than " + std::to_string(kMaxPageBytes >> 20) +
                        " MB; only its beginning was checked");
        }
        if (!DeclaresDocumentMode(head.bytes)) {
            c_.Warn(page, 1,
                    "the page has no <meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">; "
                    "the window shows it in IE7 document mode, where modern CSS breaks");
        }
        // A target is judged once per page: the first link to it stands for the others.
        std::set<std::string> judged;
        for (const PageLink& link : FindPageLinks(head.bytes)) {
            if (judged.size() == kMaxLinksPerPage) {
                c_.Warn(page, link.line,
                        "the page has more than " + std::to_string(kMaxLinksPerPage) +
                            " different links; the rest were not checked");
                break;
            }
            if (judged.insert(link.target).second) CheckLink(page, link);
        }
    }

    void CheckLink(const std::string& page, const PageLink& link) {
        const std::string local = LocalPathOfLink(link.target);
        if (local.empty()) {
            CheckAddress(page, link);
            return;
        }
        const bool fromRoot = local.front() == '/' || local.front() == '\\';
        std::optional<std::string> target =
            NormaliseDiscPath(fromRoot ? local.substr(1) : FolderOf(page) + local);
        if (!target) {
            c_.Warn(page, link.line,
                    "link " + Quoted(link.target) + " leads above the disc's root");
            return;
        }
        if (target->empty()) return;
        const bool there = c_.Files().FindFile(*target).has_value();
        if (!link.navigates) {
            if (!there) c_.Warn(page, link.line, Quoted(link.target) + " is not on the disc");
            return;
        }
        // The browser reports a link on a page of the disc as the file's plain path.
        const std::string url = c_.ProgramFolder() + *target;
        const LaunchSettings& s = c_.settings;
        if (DecideNavigation({url, c_.ProgramFolder() + s.startPage, s.executeExt, false})
                .launchFile) {
            if (!there) {
                c_.Predict(page, link.line,
                           "link " + Quoted(link.target) +
                               " leads to a file that is not on the disc, and executeext hands "
                               "it to Windows",
                           kMsgExecutableMissing, url);
            }
            return;
        }
        if (!there) {
            c_.Warn(page, link.line,
                    "link " + Quoted(link.target) + " leads to a file that is not on the disc");
            return;
        }
        const std::string extension = UrlExtension(*target);
        if (!extension.empty() && !Listed(kShownExtensions, extension)) {
            c_.Warn(page, link.line,
                    "link " + Quoted(link.target) + " leads to a file whose extension " +
                        Quoted(extension) +
                        " executeext does not list; the browser offers to download it instead of "
                        "starting it");
            return;
        }
        Enqueue(*target);
    }

    // Addresses that look like a close address but are not one close nothing.
    void CheckAddress(const std::string& page, const PageLink& link) {
        if (DecideNavigation({link.target, "", "", false}).closeMainWindow) return;
        const std::string lowered = LowerAsciiLetters(link.target);
        const bool script = lowered.starts_with("javascript:") || lowered.starts_with("about:");
        if (!script || lowered.find("close") == std::string::npos) return;
        c_.Warn(page, link.line,
                "link " + Quoted(link.target) +
                    " does not close the program; only \"about:close\", "
                    "\"javascript:window.close();\" and \"javascript:self.close();\" do");
    }

    CheckContext& c_;
    std::deque<std::string> queue_;
    std::set<std::string> seen_;
};

}  // namespace

void CheckPages(CheckContext& context) {
    PageCrawl(context).Run();
}

}  // namespace velvane
