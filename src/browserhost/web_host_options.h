#pragma once
// The browser host's two option sets and the flag words the browser reads from them: the
// download-control word (answered as an ambient property) and the host UI word (reported by
// GetHostInfo). Each word comes from one {element, value} table; an element contributes its
// published constant, not 1 shifted by its position.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#ifdef DLCTL_DLIMAGES
#error "mshtmdid.h's DLCTL_ macros hide the option names: include this header without it"
#endif

namespace velvane {

// A set of enumeration elements, by element position.
template <typename Element, std::size_t Count>
class OptionSet {
    static_assert(Count <= 32);

public:
    constexpr OptionSet() = default;
    constexpr OptionSet(std::initializer_list<Element> elements) {
        for (Element element : elements) Include(element);
    }

    constexpr bool Contains(Element element) const { return (bits_ & Bit(element)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr OptionSet& Include(Element element) {
        bits_ |= Bit(element);
        return *this;
    }
    constexpr OptionSet& Exclude(Element element) {
        bits_ &= ~Bit(element);
        return *this;
    }
    friend constexpr bool operator==(OptionSet, OptionSet) = default;

private:
    static constexpr std::uint32_t Bit(Element element) {
        return std::uint32_t{1} << static_cast<unsigned>(element);
    }
    std::uint32_t bits_ = 0;
};

enum class TDownloadControlOption {
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
inline constexpr std::size_t kDownloadControlOptionCount = 19;

enum class TUserInterfaceOption {
    DIALOG,
    DISABLE_HELP_MENU,
    NO3DBORDER,
    SCROLL_NO,
    DISABLE_SCRIPT_INACTIVE,
    OPENNEWWIN,
    DISABLE_OFFSCREEN,
    FLAT_SCROLLBAR,
    DIV_BLOCKDEFAULT,
    ACTIVATE_CLIENTHIT_ONLY,
    OVERRIDEBEHAVIORFACTORY,
    CODEPAGELINKEDFONTS,
    URL_ENCODING_DISABLE_UTF8,
    URL_ENCODING_ENABLE_UTF8,
    ENABLE_FORMS_AUTOCOMPLETE,
    ENABLE_INPLACE_NAVIGATION,
    IME_ENABLE_RECONVERSION,
};
inline constexpr std::size_t kUserInterfaceOptionCount = 17;

using DownloadOptionSet = OptionSet<TDownloadControlOption, kDownloadControlOptionCount>;
using UserInterfaceOptionSet = OptionSet<TUserInterfaceOption, kUserInterfaceOptionCount>;

template <typename Element>
struct OptionFlag {
    Element element;
    std::uint32_t value;
    std::string_view name;
};

// The tables, in element order.
std::span<const OptionFlag<TDownloadControlOption>> DownloadControlFlagTable();
std::span<const OptionFlag<TUserInterfaceOption>> UserInterfaceFlagTable();

// The sum of the table values of the set's members; 0 for the empty set.
std::uint32_t DownloadControlFlags(DownloadOptionSet options);
std::uint32_t HostUIFlags(UserInterfaceOptionSet options);

// What the browser may download and run until the program says otherwise: images, videos and
// background sounds (flag word 0x70).
inline constexpr DownloadOptionSet kDefaultDownloadOptions = {
    TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_VIDEOS,
    TDownloadControlOption::DLCTL_BGSOUNDS};

}  // namespace velvane
