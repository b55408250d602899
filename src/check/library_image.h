#pragma once
// What a requirement library's file says about itself: whether a 32-bit Windows program can load
// it, and the names it exports. Read from the file's bytes (PE headers and export table), so it
// needs no Windows and never runs the library.

#include <string>
#include <string_view>
#include <vector>

namespace velvane {

struct LibraryImage {
    enum class Kind {
        NotWindowsModule,  // no MZ/PE headers, or headers that point outside the file
        Not32BitX86,       // a module for another processor or a 64-bit one
        Usable,
    };
    Kind kind = Kind::NotWindowsModule;
    std::string machine;  // for Not32BitX86: "64-bit x64", "ARM64", ...
    std::vector<std::string> exportNames;
};

// Reads the headers and export names from the module's first bytes; names the bytes do not
// hold are missing from the list.
LibraryImage ReadLibraryImage(std::string_view bytes);

}  // namespace velvane
