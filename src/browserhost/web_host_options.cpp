#include "browserhost/web_host_options.h"

namespace velvane {
namespace {

using Dl = TDownloadControlOption;
using Ui = TUserInterfaceOption;

constexpr OptionFlag<Dl> kDownloadControlFlags[] = {
    {Dl::DLCTL_DLIMAGES, 0x10, "DLCTL_DLIMAGES"},
    {Dl::DLCTL_VIDEOS, 0x20, "DLCTL_VIDEOS"},
    {Dl::DLCTL_BGSOUNDS, 0x40, "DLCTL_BGSOUNDS"},
    {Dl::DLCTL_NO_SCRIPTS, 0x80, "DLCTL_NO_SCRIPTS"},
    {Dl::DLCTL_NO_JAVA, 0x100, "DLCTL_NO_JAVA"},
    {Dl::DLCTL_NO_RUNACTIVEXCTLS, 0x200, "DLCTL_NO_RUNACTIVEXCTLS"},
    {Dl::DLCTL_NO_DLACTIVEXCTLS, 0x400, "DLCTL_NO_DLACTIVEXCTLS"},
    {Dl::DLCTL_DOWNLOADONLY, 0x800, "DLCTL_DOWNLOADONLY"},
    {Dl::DLCTL_NO_FRAMEDOWNLOAD, 0x1000, "DLCTL_NO_FRAMEDOWNLOAD"},
    {Dl::DLCTL_RESYNCHRONIZE, 0x2000, "DLCTL_RESYNCHRONIZE"},
    {Dl::DLCTL_PRAGMA_NO_CACHE, 0x4000, "DLCTL_PRAGMA_NO_CACHE"},
    {Dl::DLCTL_NO_BEHAVIORS, 0x8000, "DLCTL_NO_BEHAVIORS"},
    {Dl::DLCTL_NO_METACHARSET, 0x10000, "DLCTL_NO_METACHARSET"},
    {Dl::DLCTL_URL_ENCODING_DISABLE_UTF8, 0x20000, "DLCTL_URL_ENCODING_DISABLE_UTF8"},
    {Dl::DLCTL_URL_ENCODING_ENABLE_UTF8, 0x40000, "DLCTL_URL_ENCODING_ENABLE_UTF8"},
    {Dl::DLCTL_FORCEOFFLINE, 0x10000000, "DLCTL_FORCEOFFLINE"},
    {Dl::DLCTL_NO_CLIENTPULL, 0x20000000, "DLCTL_NO_CLIENTPULL"},
    {Dl::DLCTL_SILENT, 0x40000000, "DLCTL_SILENT"},
    {Dl::DLCTL_OFFLINE, 0x80000000, "DLCTL_OFFLINE"},
};
static_assert(std::size(kDownloadControlFlags) == kDownloadControlOptionCount);

// 0x8000 has no element: ENABLE_INPLACE_NAVIGATION is the published 0x10000.
constexpr OptionFlag<Ui> kUserInterfaceFlags[] = {
    {Ui::DIALOG, 0x1, "DIALOG"},
    {Ui::DISABLE_HELP_MENU, 0x2, "DISABLE_HELP_MENU"},
    {Ui::NO3DBORDER, 0x4, "NO3DBORDER"},
    {Ui::SCROLL_NO, 0x8, "SCROLL_NO"},
    {Ui::DISABLE_SCRIPT_INACTIVE, 0x10, "DISABLE_SCRIPT_INACTIVE"},
    {Ui::OPENNEWWIN, 0x20, "OPENNEWWIN"},
    {Ui::DISABLE_OFFSCREEN, 0x40, "DISABLE_OFFSCREEN"},
    {Ui::FLAT_SCROLLBAR, 0x80, "FLAT_SCROLLBAR"},
    {Ui::DIV_BLOCKDEFAULT, 0x100, "DIV_BLOCKDEFAULT"},
    {Ui::ACTIVATE_CLIENTHIT_ONLY, 0x200, "ACTIVATE_CLIENTHIT_ONLY"},
    {Ui::OVERRIDEBEHAVIORFACTORY, 0x400, "OVERRIDEBEHAVIORFACTORY"},
    {Ui::CODEPAGELINKEDFONTS, 0x800, "CODEPAGELINKEDFONTS"},
    {Ui::URL_ENCODING_DISABLE_UTF8, 0x1000, "URL_ENCODING_DISABLE_UTF8"},
    {Ui::URL_ENCODING_ENABLE_UTF8, 0x2000, "URL_ENCODING_ENABLE_UTF8"},
    {Ui::ENABLE_FORMS_AUTOCOMPLETE, 0x4000, "ENABLE_FORMS_AUTOCOMPLETE"},
    {Ui::ENABLE_INPLACE_NAVIGATION, 0x10000, "ENABLE_INPLACE_NAVIGATION"},
    {Ui::IME_ENABLE_RECONVERSION, 0x20000, "IME_ENABLE_RECONVERSION"},
};
static_assert(std::size(kUserInterfaceFlags) == kUserInterfaceOptionCount);

template <typename Element, typename Set>
std::uint32_t FlagWord(std::span<const OptionFlag<Element>> table, Set options) {
    std::uint32_t word = 0;
    for (const OptionFlag<Element>& flag : table) {
        if (options.Contains(flag.element))
            word += flag.value;
    }
    return word;
}

}  // namespace

std::span<const OptionFlag<TDownloadControlOption>> DownloadControlFlagTable() {
    return kDownloadControlFlags;
}

std::span<const OptionFlag<TUserInterfaceOption>> UserInterfaceFlagTable() {
    return kUserInterfaceFlags;
}

std::uint32_t DownloadControlFlags(DownloadOptionSet options) {
    return FlagWord(DownloadControlFlagTable(), options);
}

std::uint32_t HostUIFlags(UserInterfaceOptionSet options) {
    return FlagWord(UserInterfaceFlagTable(), options);
}

}  // namespace velvane
