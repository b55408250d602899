#pragma once
// Pictures made in code and written as BMP files, for the native tests and the Wine tests alike:
// sample discs' skins and buttons, broken headers, and the skin control's pictures of every
// colour depth.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace velvane::testsupport {

// Writes `value` as `size` little-endian bytes at `at`: how a test bends one field of a header.
inline void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size = 4) {
    bytes.append(static_cast<std::size_t>(size), '\0');
    PutLittleEndian(bytes, bytes.size() - static_cast<std::size_t>(size), value, size);
}

// A picture as 0xRRGGBB colours, rows top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t At(int x, int y) const {
        return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
    }
    // Opaque as a skin sees it: differs from the bottom-left pixel, the colour taken as clear.
    bool Opaque(int x, int y) const { return At(x, y) != At(0, height - 1); }
};

inline Picture PictureOf(int width, int height,
                         const std::function<std::uint32_t(int x, int y)>& colour) {
    Picture picture{width, height, {}};
    picture.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.rgb.push_back(colour(x, y));
    }
    return picture;
}

// The two headers of a BMP file (file header and the 40-byte info header) for pixels stored
// after `tableBytes` of colour table or bit masks.
inline std::string BmpHeaders(int width, int height, int bitsPerPixel, std::uint32_t pixelBytes,
                              std::uint32_t tableBytes = 0, std::uint32_t compression = 0) {
    const std::uint32_t offBits = 14 + 40 + tableBytes;
    std::string file = "BM";
    AppendLittleEndian(file, offBits + pixelBytes);
    AppendLittleEndian(file, 0);
    AppendLittleEndian(file, offBits);
    AppendLittleEndian(file, 40);
    AppendLittleEndian(file, static_cast<std::uint32_t>(width));
    AppendLittleEndian(file, static_cast<std::uint32_t>(height));
    AppendLittleEndian(file, 1, 2);
    AppendLittleEndian(file, static_cast<std::uint32_t>(bitsPerPixel), 2);
    AppendLittleEndian(file, compression);
    AppendLittleEndian(file, pixelBytes);
    AppendLittleEndian(file, 2835);  // 72 dpi
    AppendLittleEndian(file, 2835);
    AppendLittleEndian(file, bitsPerPixel <= 8 ? tableBytes / 4 : 0);  // colours used
    AppendLittleEndian(file, 0);
    return file;
}

// A 24-bit BMP file of black pixels, cheap at any size: for tests of sizes, not of colours.
inline std::string BlankBitmap(int width, int height) {
    const auto stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    return BmpHeaders(width, height, 24, pixelBytes) + std::string(pixelBytes, '\0');
}

namespace detail {

// The distinct colours of a picture in order of appearance, and each pixel's index among them.
struct Indexed {
    std::vector<std::uint32_t> palette;
    std::vector<int> indexes;
};

inline Indexed IndexColours(const Picture& picture) {
    Indexed result;
    std::map<std::uint32_t, int> seen;
    for (std::uint32_t colour : picture.rgb) {
        auto [it, added] = seen.emplace(colour, static_cast<int>(result.palette.size()));
        if (added) result.palette.push_back(colour);
        result.indexes.push_back(it->second);
    }
    return result;
}

inline std::uint16_t To555(std::uint32_t rgb) {
    const unsigned r = (rgb >> 16) & 0xFF;
    const unsigned g = (rgb >> 8) & 0xFF;
    const unsigned b = rgb & 0xFF;
    return static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

// One row of pixels in the file's format, padded to a multiple of four bytes.
inline std::string EncodeRow(const Picture& picture, const Indexed& indexed, int y,
                             int bitsPerPixel) {
    std::string row;
    if (bitsPerPixel <= 8) {
        unsigned accumulator = 0;
        int bits = 0;
        for (int x = 0; x < picture.width; ++x) {
            accumulator = (accumulator << bitsPerPixel) |
                          static_cast<unsigned>(indexed.indexes[static_cast<std::size_t>(
                              y * picture.width + x)]);
            bits += bitsPerPixel;
            if (bits == 8) {
                row += static_cast<char>(accumulator);
                accumulator = 0;
                bits = 0;
            }
        }
        if (bits > 0) row += static_cast<char>(accumulator << (8 - bits));
    } else {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t rgb = picture.At(x, y);
            if (bitsPerPixel == 16) {
                AppendLittleEndian(row, To555(rgb), 2);
            } else {
                AppendLittleEndian(row, rgb & 0xFFFFFF, bitsPerPixel == 32 ? 4 : 3);
            }
        }
    }
    while (row.size() % 4 != 0) row += '\0';
    return row;
}

}  // namespace detail

// A bottom-up BMP file of the given colour depth (1, 4, 8, 16, 24 or 32 bits per pixel). The
// picture must have few enough colours for a palette depth.
inline std::string BmpFile(const Picture& picture, int bitsPerPixel = 24) {
    const std::size_t paletteSize = bitsPerPixel <= 8 ? std::size_t{1} << bitsPerPixel : 0;
    const detail::Indexed indexed = paletteSize ? detail::IndexColours(picture) : detail::Indexed{};
    if (paletteSize != 0 && indexed.palette.size() > paletteSize) {
        throw std::invalid_argument("too many colours for the bit depth");
    }
    std::string pixels;
    for (int y = picture.height - 1; y >= 0; --y) {
        pixels += detail::EncodeRow(picture, indexed, y, bitsPerPixel);
    }
    std::string palette;
    for (std::size_t i = 0; i < paletteSize; ++i) {
        const std::uint32_t rgb = i < indexed.palette.size() ? indexed.palette[i] : 0;
        AppendLittleEndian(palette, rgb & 0xFFFFFF);  // RGBQUAD: B, G, R, 0
    }
    return BmpHeaders(picture.width, picture.height, bitsPerPixel,
                      static_cast<std::uint32_t>(pixels.size()),
                      static_cast<std::uint32_t>(palette.size())) +
           palette + pixels;
}

// A 24-bit BMP file of the given size; `colour(x, y)` gives 0xRRGGBB per pixel.
inline std::string Bitmap24(int width, int height,
                            const std::function<std::uint32_t(int x, int y)>& colour) {
    return BmpFile(PictureOf(width, height, colour));
}

// A plain one-colour 24-bit BMP file.
inline std::string PlainBitmap(int width, int height, std::uint32_t rgb = 0x3366CC) {
    return Bitmap24(width, height, [rgb](int, int) { return rgb; });
}

}  // namespace velvane::testsupport
