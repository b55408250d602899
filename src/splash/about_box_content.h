#pragma once
// What the about box says: the product, its version, the maker's notice and the maker's two
// addresses. Texts are in the Windows ANSI code page (0xA9 is the copyright sign there).

namespace velvane::about_box {

inline constexpr char kCaption[] = "Velvane";
inline constexpr char kProductName[] = "Velvane";
inline constexpr char kVersionText[] = "Version 2.02";

// The first line wraps at the label's width; it is short enough to stay on one line.
inline constexpr const char* kNoticeLines[] = {
    "\xA9 2026 Velvane Labs",
    "All rights reserved.",
    "Start menus for CD, DVD and USB.",
};

inline constexpr char kWebLabel[] = "Web:";
inline constexpr char kMailLabel[] = "E-mail:";

// The web address is shown and opened unchanged; the e-mail address is opened as a mailto:
// address.
inline constexpr char kWebAddress[] = "http://velvane.example/";
inline constexpr char kMailAddress[] = "info@velvane.example";
inline constexpr char kMailTarget[] = "mailto:info@velvane.example";

}  // namespace velvane::about_box
