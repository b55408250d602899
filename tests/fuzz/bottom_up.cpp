// Turning a top-down bitmap file around, on whole files.
//
// Input: the file. The oracle: a file that is turned around keeps its header but for the
// height's sign and the fields the new layout fixes, and every row of the result is the
// file's row counted from the other end.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "skin/bitmap_file.h"

namespace {

std::int64_t Le32(std::string_view b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return static_cast<std::int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    velvane::BottomUpBitmap out;
    if (velvane::MakeBottomUp(file, out)) return 0;

    // Accepted: a sound, uncompressed or bit-field file whose rows run top down.
    FUZZ_CHECK(!velvane::CheckBitmapFile(file.substr(0, velvane::kBitmapHeadSize), size));
    FUZZ_CHECK(velvane::StoresRowsTopDown(file));
    FUZZ_CHECK(out.info.size() >= 40);
    const std::int64_t width = Le32(file, 18);
    const std::int64_t height = -Le32(file, 22);
    FUZZ_CHECK(height > 0);
    FUZZ_CHECK(Le32(out.info, 0) == 40);
    FUZZ_CHECK(Le32(out.info, 4) == width);
    FUZZ_CHECK(Le32(out.info, 8) == height);
    FUZZ_CHECK(out.info.substr(12, 4) == file.substr(26, 4));  // planes and bits per pixel

    const std::size_t rows = static_cast<std::size_t>(height);
    FUZZ_CHECK(out.pixels.size() % rows == 0);
    const std::size_t stride = out.pixels.size() / rows;
    FUZZ_CHECK(stride % 4 == 0);
    const std::size_t pixelOffset = static_cast<std::uint32_t>(Le32(file, 10));
    FUZZ_CHECK(pixelOffset + out.pixels.size() <= size);
    for (std::size_t row = 0; row < rows; ++row) {
        FUZZ_CHECK(out.pixels.compare(row * stride, stride,
                                      file.substr(pixelOffset + (rows - 1 - row) * stride, stride)) ==
                   0);
    }
    return 0;
}
