#pragma once
// The address of a navigation as the navigation filter needs it: a file: URL turned into the
// path it names. Which form a link on a local page reaches the program in depends on the
// browser's version and on the component that resolved it: a plain path (D:\setup\install.exe)
// or a file: URL with percent-escapes (file:///D:/setup/install.exe). The filter decides on the
// path, whichever form came.

#include <functional>
#include <string>
#include <string_view>

namespace velvane {

// Turns bytes of the system's 8-bit code page into UTF-16 (the platform knows the code page).
using AnsiDecoder = std::function<std::u16string(std::string_view bytes)>;

// The local path a file: URL names, with backslashes:
//   file:///D:/my%20disc/setup.exe     -> D:\my disc\setup.exe
//   file://D:\setup.exe, file:D:/a.exe -> D:\setup.exe, D:\a.exe
//   file://localhost/D:/a.exe          -> D:\a.exe
//   file://server/share/a.exe          -> \\server\share\a.exe
// Percent-escapes are decoded. A run of escapes that is well-formed UTF-8 is read as UTF-8 (how
// current browsers escape); any other run is bytes of the 8-bit code page (how older ones did),
// given to `decodeAnsi`. Characters that came unescaped stay as they are, "#" and "?" among
// them: on a disc they are part of a file name, not a fragment or a query. The scheme is matched
// regardless of letter case. Any other URL, a plain path among them, comes back unchanged.
std::u16string PathFromUrl(std::u16string_view url, const AnsiDecoder& decodeAnsi);

// Appends the code points of well-formed UTF-8 to `out` as UTF-16 and returns true; returns
// false and leaves `out` alone when `bytes` is not well-formed (overlong forms, surrogates,
// values above U+10FFFF, cut-off sequences).
bool DecodeUtf8(std::string_view bytes, std::u16string& out);

}  // namespace velvane
