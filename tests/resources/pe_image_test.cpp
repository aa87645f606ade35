// Reads the headers and the import table of the built executable straight from its bytes: it must be a
// 32-bit x86 GUI program that needs nothing beyond the libraries every Windows system has.
#include "tests/resources/velquor_exe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Offsets and values of the PE/COFF format used below.
constexpr size_t NewHeaderPointer = 0x3C;    // e_lfanew in the DOS header
constexpr size_t CoffHeaderSize = 20;        // follows the 4-byte "PE\0\0" signature
constexpr size_t CharacteristicsOffset = 18; // in the COFF header
constexpr size_t OptionalHeaderSizeOffset = 16;
constexpr size_t SubsystemOffset = 68;        // in a PE32 optional header
constexpr size_t ImportDirectoryOffset = 104; // data directory entry 1 of a PE32 optional header
constexpr size_t SectionHeaderSize = 40;
constexpr size_t ImportDescriptorSize = 20;
constexpr uint16_t MachineI386 = 0x14C;
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t SubsystemWindowsGui = 2;
constexpr uint16_t ExecutableImageFlag = 0x0002;
constexpr uint16_t Machine32BitFlag = 0x0100;

struct PeImage {
    std::vector<uint8_t> bytes;
    size_t coff;     // offset of the COFF file header
    size_t optional; // offset of the optional header
};

uint32_t Read16(const PeImage& image, size_t at) {
    return image.bytes.at(at) | image.bytes.at(at + 1) << 8;
}

uint32_t Read32(const PeImage& image, size_t at) {
    return Read16(image, at) | Read16(image, at + 2) << 16;
}

// Loads a PE file and locates its headers; throws when the file is missing or not a PE file.
PeImage LoadImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    PeImage image{std::vector<uint8_t>(size_t(in.tellg())), 0, 0};
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(image.bytes.data()), std::streamsize(image.bytes.size())))
        throw std::runtime_error("cannot read " + path);
    if (image.bytes.size() < 2 || image.bytes[0] != 'M' || image.bytes[1] != 'Z')
        throw std::runtime_error(path + " has no DOS header");
    size_t signature = Read32(image, NewHeaderPointer);
    if (Read32(image, signature) != 0x00004550) // "PE\0\0"
        throw std::runtime_error(path + " has no PE signature");
    image.coff = signature + 4;
    image.optional = image.coff + CoffHeaderSize;
    return image;
}

// Translates a relative virtual address into a file offset through the section table.
size_t FileOffset(const PeImage& image, uint32_t rva) {
    size_t sections = Read16(image, image.coff + 2);
    size_t table = image.optional + Read16(image, image.coff + OptionalHeaderSizeOffset);
    for (size_t i = 0; i < sections; ++i) {
        size_t header = table + i * SectionHeaderSize;
        uint32_t start = Read32(image, header + 12);
        uint32_t length = std::max(Read32(image, header + 8), Read32(image, header + 16));
        if (rva >= start && rva < start + length)
            return rva - start + Read32(image, header + 20);
    }
    throw std::runtime_error("address outside every section");
}

std::string ReadCString(const PeImage& image, size_t at) {
    std::string text;
    for (char c; (c = char(image.bytes.at(at))) != 0; ++at)
        text += char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Names of the DLLs in the import table, lower-cased.
std::vector<std::string> ImportedLibraries(const PeImage& image) {
    std::vector<std::string> names;
    size_t descriptor = FileOffset(image, Read32(image, image.optional + ImportDirectoryOffset));
    for (; Read32(image, descriptor + 12) != 0; descriptor += ImportDescriptorSize)
        names.push_back(ReadCString(image, FileOffset(image, Read32(image, descriptor + 12))));
    return names;
}

TEST(ExecutableHeaders, DescribeA32BitWindowsGuiProgram) {
    PeImage exe = LoadImage(VelquorExePath());
    uint32_t characteristics = Read16(exe, exe.coff + CharacteristicsOffset);
    const struct {
        const char* field;
        uint32_t actual;
        uint32_t expected;
        const char* reason;
    } cases[] = {
        {"Machine", Read16(exe, exe.coff), MachineI386, "the program is built for 32-bit x86"},
        {"optional header magic", Read16(exe, exe.optional), Pe32Magic, "a PE32 image, not PE32+"},
        {"Subsystem", Read16(exe, exe.optional + SubsystemOffset), SubsystemWindowsGui,
         "a GUI program: starting it opens no console window"},
        {"executable-image flag", characteristics & ExecutableImageFlag, ExecutableImageFlag,
         "the file is a program, not an object file"},
        {"32-bit-machine flag", characteristics & Machine32BitFlag, Machine32BitFlag,
         "the image declares a 32-bit word"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.field << ": " << c.reason;
}

// The compiler's runtime (C++ library, GCC support, threads) is linked in, so the program runs from a
// bare copy of the file; everything it imports ships with Windows.
TEST(ExecutableImports, OnlySystemLibraries) {
    const std::set<std::string> systemLibraries = {
        "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll", "msvcrt.dll",
    };
    std::vector<std::string> imports = ImportedLibraries(LoadImage(VelquorExePath()));
    EXPECT_NE(std::find(imports.begin(), imports.end(), "kernel32.dll"), imports.end())
        << "every Windows program imports kernel32.dll; an empty list means the table was misread";
    for (const std::string& name : imports)
        EXPECT_EQ(systemLibraries.count(name), 1u) << name << " is not a library that ships with Windows";
}

} // namespace
