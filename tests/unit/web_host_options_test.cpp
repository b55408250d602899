// The browser host's option sets and the flag words the browser reads from them.

#include <gtest/gtest.h>

#include "browserhost/web_host_options.h"

namespace velvane {
namespace {

using Dl = TDownloadControlOption;
using Ui = TUserInterfaceOption;

TEST(WebHostOptions, DownloadControlWordIsTheSumOfThePublishedValues) {
    struct Case {
        const char* name;
        DownloadOptionSet options;
        std::uint32_t word;
    };
    const Case cases[] = {
        {"empty", {}, 0},
        {"default", kDefaultDownloadOptions, 0x70},
        {"forced offline and offline", {Dl::DLCTL_FORCEOFFLINE, Dl::DLCTL_OFFLINE}, 0x90000000},
        {"no scripts, no java", {Dl::DLCTL_NO_SCRIPTS, Dl::DLCTL_NO_JAVA}, 0x180},
        {"UTF-8 switches",
         {Dl::DLCTL_URL_ENCODING_DISABLE_UTF8, Dl::DLCTL_URL_ENCODING_ENABLE_UTF8},
         0x60000},
        {"silent", {Dl::DLCTL_SILENT}, 0x40000000},
        {"element 15 is not 1 << 15", {Dl::DLCTL_FORCEOFFLINE}, 0x10000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DownloadControlFlags(c.options), c.word);
    }
}

TEST(WebHostOptions, HostUIWordIsTheSumOfThePublishedValues) {
    struct Case {
        const char* name;
        UserInterfaceOptionSet options;
        std::uint32_t word;
    };
    const Case cases[] = {
        {"empty", {}, 0},
        {"no 3D border", {Ui::NO3DBORDER}, 0x4},
        {"no 3D border, no scroll bars", {Ui::NO3DBORDER, Ui::SCROLL_NO}, 0xC},
        {"in-place navigation skips 0x8000", {Ui::ENABLE_INPLACE_NAVIGATION}, 0x10000},
        {"last element", {Ui::IME_ENABLE_RECONVERSION}, 0x20000},
        {"dialog", {Ui::DIALOG}, 0x1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HostUIFlags(c.options), c.word);
    }
}

TEST(WebHostOptions, EveryElementContributesItsOwnDistinctBit) {
    // Adding all elements one by one never meets a bit twice: a duplicated or overlapping table
    // value would make the sum differ from the union.
    std::uint32_t seen = 0;
    DownloadOptionSet all;
    for (const auto& flag : DownloadControlFlagTable()) {
        EXPECT_EQ(flag.value & (flag.value - 1), 0u) << flag.name;
        EXPECT_EQ(seen & flag.value, 0u) << flag.name;
        seen |= flag.value;
        all.Include(flag.element);
    }
    EXPECT_EQ(DownloadControlFlags(all), seen);

    seen = 0;
    UserInterfaceOptionSet allUi;
    for (const auto& flag : UserInterfaceFlagTable()) {
        EXPECT_EQ(seen & flag.value, 0u) << flag.name;
        seen |= flag.value;
        allUi.Include(flag.element);
    }
    EXPECT_EQ(HostUIFlags(allUi), 0x37FFFu);
}

TEST(WebHostOptions, SetsIncludeAndExcludeElements) {
    // The main window builds its options as {NO3DBORDER} and then adds SCROLL_NO.
    UserInterfaceOptionSet options = {Ui::NO3DBORDER};
    options.Include(Ui::SCROLL_NO);
    EXPECT_EQ(options, (UserInterfaceOptionSet{Ui::SCROLL_NO, Ui::NO3DBORDER}));
    options.Include(Ui::SCROLL_NO);
    EXPECT_EQ(HostUIFlags(options), 0xCu);
    options.Exclude(Ui::NO3DBORDER);
    EXPECT_TRUE(options.Contains(Ui::SCROLL_NO));
    EXPECT_FALSE(options.Contains(Ui::NO3DBORDER));
    options.Exclude(Ui::SCROLL_NO);
    EXPECT_TRUE(options.Empty());
}

}  // namespace
}  // namespace velvane
