#include "check/library_image.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace velvane {
namespace {

constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;
constexpr std::uint16_t kMachineArm64 = 0xAA64;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kMaxExportNames = 65536;  // a bound for garbage counts
constexpr std::size_t kMaxNameLength = 512;

// Bounds-checked little-endian reads: every offset comes from the file and may be anything.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::uint32_t> U32(std::uint64_t at) const { return Read(at, 4); }
    std::optional<std::uint16_t> U16(std::uint64_t at) const {
        std::optional<std::uint32_t> value = Read(at, 2);
        if (!value) return std::nullopt;
        return static_cast<std::uint16_t>(*value);
    }
    bool Has(std::uint64_t at, std::uint64_t size) const {
        return at <= bytes_.size() && size <= bytes_.size() - at;
    }
    std::optional<std::string> CString(std::uint64_t at) const {
        if (!Has(at, 1)) return std::nullopt;
        std::string_view rest = bytes_.substr(static_cast<std::size_t>(at));
        std::size_t end = rest.find('\0');
        if (end == std::string_view::npos || end > kMaxNameLength) return std::nullopt;
        return std::string(rest.substr(0, end));
    }

private:
    std::optional<std::uint32_t> Read(std::uint64_t at, int size) const {
        if (!Has(at, static_cast<std::uint64_t>(size))) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value =
                (value << 8) | static_cast<unsigned char>(bytes_[at + static_cast<unsigned>(i)]);
        }
        return value;
    }

    std::string_view bytes_;
};

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

// The file offset of a relative virtual address, through the section that holds it.
std::optional<std::uint64_t> FileOffset(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const Section& s : sections) {
        const std::uint64_t span = std::max(s.virtualSize, s.rawSize);
        if (rva < s.virtualAddress || rva - s.virtualAddress >= span) continue;
        const std::uint64_t into = rva - s.virtualAddress;
        if (into >= s.rawSize) return std::nullopt;  // in memory only: no bytes in the file
        return std::uint64_t{s.rawOffset} + into;
    }
    return std::nullopt;
}

std::string MachineName(std::uint16_t machine, std::uint16_t magic) {
    if (machine == kMachineAmd64) return "64-bit x64";
    if (machine == kMachineArm64) return "ARM64";
    if (machine == kMachineI386 && magic != kPe32Magic) return "64-bit (PE32+)";
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", machine);
    return std::string("machine ") + text;
}

std::vector<Section> ReadSections(const Bytes& in, std::uint64_t at, std::uint16_t count) {
    std::vector<Section> sections;
    for (std::uint16_t i = 0; i < count; ++i, at += kSectionHeaderSize) {
        if (!in.Has(at, kSectionHeaderSize)) break;
        sections.push_back({*in.U32(at + 12), *in.U32(at + 8), *in.U32(at + 16), *in.U32(at + 20)});
    }
    return sections;
}

std::vector<std::string> ReadExportNames(const Bytes& in, const std::vector<Section>& sections,
                                         std::uint32_t directoryRva) {
    std::vector<std::string> names;
    std::optional<std::uint64_t> directory = FileOffset(sections, directoryRva);
    if (!directory || !in.Has(*directory, 40)) return names;
    const std::uint32_t count = std::min(*in.U32(*directory + 24), kMaxExportNames);
    std::optional<std::uint64_t> table = FileOffset(sections, *in.U32(*directory + 32));
    for (std::uint32_t i = 0; table && i < count; ++i) {
        std::optional<std::uint32_t> nameRva = in.U32(*table + 4ull * i);
        if (!nameRva) break;
        std::optional<std::uint64_t> nameAt = FileOffset(sections, *nameRva);
        std::optional<std::string> name = nameAt ? in.CString(*nameAt) : std::nullopt;
        if (name) names.push_back(std::move(*name));
    }
    return names;
}

}  // namespace

LibraryImage ReadLibraryImage(std::string_view bytes) {
    const Bytes in(bytes);
    LibraryImage image;
    if (!bytes.starts_with("MZ")) return image;
    std::optional<std::uint32_t> peAt = in.U32(0x3C);
    if (!peAt || !in.Has(*peAt, 24) || bytes.substr(*peAt, 4) != std::string_view("PE\0\0", 4)) {
        return image;
    }
    const std::uint16_t machine = *in.U16(*peAt + 4);
    const std::uint16_t sectionCount = *in.U16(*peAt + 6);
    const std::uint16_t optionalSize = *in.U16(*peAt + 20);
    const std::uint64_t optional = *peAt + 24ull;
    std::optional<std::uint16_t> magic = in.U16(optional);
    if (!magic) return image;
    if (machine != kMachineI386 || *magic != kPe32Magic) {
        image.kind = LibraryImage::Kind::Not32BitX86;
        image.machine = MachineName(machine, *magic);
        return image;
    }
    image.kind = LibraryImage::Kind::Usable;
    // PE32: the count of data directories at 92, the export table's address first at 96.
    std::optional<std::uint32_t> directoryCount = in.U32(optional + 92);
    std::optional<std::uint32_t> exportRva = in.U32(optional + 96);
    if (!directoryCount || *directoryCount == 0 || !exportRva || *exportRva == 0 ||
        optionalSize < 104) {
        return image;
    }
    std::vector<Section> sections = ReadSections(in, optional + optionalSize, sectionCount);
    image.exportNames = ReadExportNames(in, sections, *exportRva);
    return image;
}

}  // namespace velvane
