// The host's flag tables and constants against the platform's own headers: a value typed wrong
// in the platform-free tables shows up here. The option header comes first, since the
// platform's DLCTL_ macros would otherwise rewrite the option names.

#include "browserhost/web_host_options.h"
#include "browserhost/web_host_rules.h"

#include <windows.h>
#include <docobj.h>
#include <mshtmdid.h>
#include <mshtmhst.h>
#include <shlguid.h>

#include <gtest/gtest.h>

#include <cstring>

namespace velvane {
namespace {

TEST(WebHostFlags, TablesCarryThePublishedConstantsInElementOrder) {
    const std::uint32_t download[] = {
        DLCTL_DLIMAGES,
        DLCTL_VIDEOS,
        DLCTL_BGSOUNDS,
        DLCTL_NO_SCRIPTS,
        DLCTL_NO_JAVA,
        DLCTL_NO_RUNACTIVEXCTLS,
        DLCTL_NO_DLACTIVEXCTLS,
        DLCTL_DOWNLOADONLY,
        DLCTL_NO_FRAMEDOWNLOAD,
        DLCTL_RESYNCHRONIZE,
        DLCTL_PRAGMA_NO_CACHE,
        DLCTL_NO_BEHAVIORS,
        DLCTL_NO_METACHARSET,
        DLCTL_URL_ENCODING_DISABLE_UTF8,
        DLCTL_URL_ENCODING_ENABLE_UTF8,
        DLCTL_FORCEOFFLINE,
        DLCTL_NO_CLIENTPULL,
        DLCTL_SILENT,
        DLCTL_OFFLINE,
    };
    auto downloadTable = DownloadControlFlagTable();
    ASSERT_EQ(downloadTable.size(), std::size(download));
    for (std::size_t i = 0; i < downloadTable.size(); ++i) {
        SCOPED_TRACE(downloadTable[i].name);
        EXPECT_EQ(static_cast<std::size_t>(downloadTable[i].element), i);
        EXPECT_EQ(downloadTable[i].value, download[i]);
    }

    const std::uint32_t userInterface[] = {
        DOCHOSTUIFLAG_DIALOG,
        DOCHOSTUIFLAG_DISABLE_HELP_MENU,
        DOCHOSTUIFLAG_NO3DBORDER,
        DOCHOSTUIFLAG_SCROLL_NO,
        DOCHOSTUIFLAG_DISABLE_SCRIPT_INACTIVE,
        DOCHOSTUIFLAG_OPENNEWWIN,
        DOCHOSTUIFLAG_DISABLE_OFFSCREEN,
        DOCHOSTUIFLAG_FLAT_SCROLLBAR,
        DOCHOSTUIFLAG_DIV_BLOCKDEFAULT,
        DOCHOSTUIFLAG_ACTIVATE_CLIENTHIT_ONLY,
        DOCHOSTUIFLAG_OVERRIDEBEHAVIORFACTORY,
        DOCHOSTUIFLAG_CODEPAGELINKEDFONTS,
        DOCHOSTUIFLAG_URL_ENCODING_DISABLE_UTF8,
        DOCHOSTUIFLAG_URL_ENCODING_ENABLE_UTF8,
        DOCHOSTUIFLAG_ENABLE_FORMS_AUTOCOMPLETE,
        DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION,
        DOCHOSTUIFLAG_IME_ENABLE_RECONVERSION,
    };
    auto userInterfaceTable = UserInterfaceFlagTable();
    ASSERT_EQ(userInterfaceTable.size(), std::size(userInterface));
    for (std::size_t i = 0; i < userInterfaceTable.size(); ++i) {
        SCOPED_TRACE(userInterfaceTable[i].name);
        EXPECT_EQ(static_cast<std::size_t>(userInterfaceTable[i].element), i);
        EXPECT_EQ(userInterfaceTable[i].value, userInterface[i]);
    }
}

TEST(WebHostFlags, CommandConstantsAreThePlatformsOwn) {
    EXPECT_EQ(kAmbientDownloadControl, DISPID_AMBIENT_DLCONTROL);
    EXPECT_EQ(kShowScriptErrorCommand, static_cast<std::uint32_t>(OLECMDID_SHOWSCRIPTERROR));
    EXPECT_EQ(kCopyCommand, static_cast<std::uint32_t>(OLECMDID_COPY));
    EXPECT_EQ(kCommandNotSupported, OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(kCommandUnknownGroup, OLECMDERR_E_UNKNOWNGROUP);
    EXPECT_EQ(kDispatchPropertyGet, DISPATCH_PROPERTYGET);
    EXPECT_EQ(std::memcmp(&kExplorerCommandGroup, &CGID_Explorer, sizeof(GUID)), 0);
}

}  // namespace
}  // namespace velvane
