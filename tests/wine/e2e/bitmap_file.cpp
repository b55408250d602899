#include "e2e/bitmap_file.h"

namespace velvane::e2e {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Bitmap24(int width, int height,
                     const std::function<std::uint32_t(int x, int y)>& colour) {
    int stride = (width * 3 + 3) & ~3;
    std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride * height);
    std::string file = "BM";
    PutLittleEndian(file, 14 + 40 + pixelBytes, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 14 + 40, 4);
    PutLittleEndian(file, 40, 4);  // BITMAPINFOHEADER
    PutLittleEndian(file, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(file, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(file, 1, 2);
    PutLittleEndian(file, 24, 2);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, pixelBytes, 4);
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 0, 4);
    for (int row = height - 1; row >= 0; --row) {  // bottom-up
        std::string line;
        for (int x = 0; x < width; ++x) {
            std::uint32_t rgb = colour(x, row);
            line += static_cast<char>(rgb & 0xFF);
            line += static_cast<char>((rgb >> 8) & 0xFF);
            line += static_cast<char>((rgb >> 16) & 0xFF);
        }
        line.resize(static_cast<std::size_t>(stride), '\0');
        file += line;
    }
    return file;
}

std::string PlainBitmap(int width, int height, std::uint32_t rgb) {
    return Bitmap24(width, height, [rgb](int, int) { return rgb; });
}

}  // namespace velvane::e2e
