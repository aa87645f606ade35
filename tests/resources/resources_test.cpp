// Reads the resources of the built executable back through the system's own resource and version
// calls, the way the shell and the loader see them.
#include "tests/resources/velquor_exe.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr WORD EnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); // 1033
constexpr WORD Spanish = MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH);      // 1034
constexpr WORD IconGroupId = 200;

// One image of the icon group, in group order.
struct IconEntry {
    int size;
    DWORD bytes;
    WORD id;
};

// 32-bit DIBs: 40-byte header, size*size*4 colour bytes, and a 1-bit mask with rows padded to 32 bits.
const IconEntry IconEntries[] = {
    {256, 270376, 1}, {16, 1128, 2}, {48, 9640, 3}, {32, 4264, 4}, {128, 67624, 5}, {64, 16936, 6},
};

const char Manifest[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
    "  <assemblyIdentity name=\"Velquor.exe\" processorArchitecture=\"x86\" version=\"0.0.0.0\" "
    "type=\"win32\"/>\n"
    "  <dependency>\n"
    "    <dependentAssembly>\n"
    "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
    "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
    "    </dependentAssembly>\n"
    "  </dependency>\n"
    "</assembly>\n";

std::wstring Widen(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

// The executable, mapped as data (never run) once for all the tests of the suite.
class ExeResources : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        Module = LoadLibraryExW(Widen(VelquorExePath()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (Module)
            FreeLibrary(Module);
        Module = nullptr;
    }
    void SetUp() override { ASSERT_NE(Module, nullptr) << "cannot load " << VelquorExePath(); }

    static HMODULE Module;
};

HMODULE ExeResources::Module = nullptr;

BOOL CALLBACK CollectType(HMODULE, LPWSTR type, LONG_PTR list) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(IS_INTRESOURCE(type) ? ULONG_PTR(type) : 0);
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(IS_INTRESOURCE(name) ? ULONG_PTR(name) : 0);
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

// Numeric identifiers of the resource types (0 for a type given by name).
std::vector<ULONG_PTR> ResourceTypes(HMODULE module) {
    std::vector<ULONG_PTR> types;
    EnumResourceTypesW(module, CollectType, LONG_PTR(&types));
    return types;
}

// Numeric identifiers of the resources of one type (0 for a resource given by name).
std::vector<ULONG_PTR> ResourceNames(HMODULE module, LPCWSTR type) {
    std::vector<ULONG_PTR> names;
    EnumResourceNamesW(module, type, CollectName, LONG_PTR(&names));
    return names;
}

std::vector<WORD> ResourceLanguages(HMODULE module, LPCWSTR type, ULONG_PTR name) {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module, type, MAKEINTRESOURCEW(name), CollectLanguage, LONG_PTR(&languages));
    return languages;
}

// The bytes of one resource in one language; empty when there is no such resource.
std::string ResourceBytes(HMODULE module, LPCWSTR type, ULONG_PTR name, WORD language) {
    HRSRC info = FindResourceExW(module, type, MAKEINTRESOURCEW(name), language);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data ? std::string(data, SizeofResource(module, info)) : std::string();
}

template <typename T> T ReadAt(const std::string& bytes, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

TEST_F(ExeResources, HoldExactlyTheIconsManifestAndVersionInTheirLanguages) {
    const struct {
        const char* what;
        LPCWSTR type;
        std::vector<ULONG_PTR> names;
        WORD language;
        const char* reason;
    } cases[] = {
        {"icon group", RT_GROUP_ICON, {IconGroupId}, EnglishUs, "the only group, so the shell shows it"},
        {"icon images", RT_ICON, {1, 2, 3, 4, 5, 6}, EnglishUs, "one image per size of the group"},
        {"manifest", RT_MANIFEST, {1}, EnglishUs, "id 1 is the manifest the loader applies to a program"},
        {"version block", RT_VERSION, {1}, Spanish, "the version block describes the program in Spanish"},
    };
    std::vector<ULONG_PTR> expectedTypes;
    for (const auto& c : cases) {
        expectedTypes.push_back(ULONG_PTR(c.type));
        EXPECT_EQ(ResourceNames(Module, c.type), c.names) << c.what << ": " << c.reason;
        for (ULONG_PTR name : c.names)
            EXPECT_EQ(ResourceLanguages(Module, c.type, name), std::vector<WORD>{c.language})
                << c.what << " " << name << ": " << c.reason;
    }
    std::vector<ULONG_PTR> types = ResourceTypes(Module);
    std::sort(types.begin(), types.end());
    std::sort(expectedTypes.begin(), expectedTypes.end());
    EXPECT_EQ(types, expectedTypes) << "the executable carries no other resources";
}

TEST_F(ExeResources, IconGroupListsSixImagesInOrder) {
    std::string group = ResourceBytes(Module, RT_GROUP_ICON, IconGroupId, EnglishUs);
    const size_t headerSize = 6, entrySize = 14;
    ASSERT_EQ(group.size(), headerSize + std::size(IconEntries) * entrySize);
    EXPECT_EQ(ReadAt<WORD>(group, 0), 0) << "reserved";
    EXPECT_EQ(ReadAt<WORD>(group, 2), 1) << "resource type: icon, not cursor";
    EXPECT_EQ(ReadAt<WORD>(group, 4), std::size(IconEntries));
    for (size_t i = 0; i < std::size(IconEntries); ++i) {
        const IconEntry& e = IconEntries[i];
        size_t at = headerSize + i * entrySize;
        int stored = e.size == 256 ? 0 : e.size; // a byte holds 256 as 0
        SCOPED_TRACE(testing::Message() << "group entry " << i + 1 << ", " << e.size << " pixels");
        EXPECT_EQ(int(ReadAt<BYTE>(group, at)), stored) << "width";
        EXPECT_EQ(int(ReadAt<BYTE>(group, at + 1)), stored) << "height";
        EXPECT_EQ(int(ReadAt<BYTE>(group, at + 2)), 0) << "no palette: true colour";
        EXPECT_EQ(ReadAt<WORD>(group, at + 4), 1) << "planes";
        EXPECT_EQ(ReadAt<WORD>(group, at + 6), 32) << "bits per pixel";
        EXPECT_EQ(ReadAt<DWORD>(group, at + 8), e.bytes) << "image size in bytes";
        EXPECT_EQ(ReadAt<WORD>(group, at + 12), e.id) << "icon resource id";
    }
}

TEST_F(ExeResources, SystemPicksTheImageOfTheRequestedSize) {
    std::string group = ResourceBytes(Module, RT_GROUP_ICON, IconGroupId, EnglishUs);
    ASSERT_FALSE(group.empty());
    for (const IconEntry& e : IconEntries) {
        int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE, e.size, e.size,
                                             LR_DEFAULTCOLOR);
        EXPECT_EQ(id, e.id) << "an exact size match must win for " << e.size << " pixels";
    }
}

// Each image is a 32-bit DIB with a doubled height (colour plus mask) whose mask marks exactly the fully
// transparent pixels, so displays with and without alpha blending show the same shape.
TEST_F(ExeResources, IconImagesAreAlphaDibsWithAMatchingMask) {
    for (const IconEntry& e : IconEntries) {
        SCOPED_TRACE(testing::Message() << "icon " << e.id << ", " << e.size << " pixels");
        std::string image = ResourceBytes(Module, RT_ICON, e.id, EnglishUs);
        ASSERT_EQ(image.size(), e.bytes);
        BITMAPINFOHEADER header = ReadAt<BITMAPINFOHEADER>(image, 0);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, e.size);
        EXPECT_EQ(header.biHeight, 2 * e.size) << "colour rows and mask rows";
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 32);
        EXPECT_EQ(header.biCompression, DWORD(BI_RGB)) << "uncompressed, not PNG";
        size_t pixels = size_t(e.size) * e.size, maskStride = (e.size + 31) / 32 * 4;
        ASSERT_EQ(image.size(), 40 + pixels * 4 + maskStride * e.size);
        size_t opaque = 0, clear = 0, mismatches = 0;
        for (int row = 0; row < e.size; ++row) {
            for (int x = 0; x < e.size; ++x) {
                BYTE alpha = ReadAt<BYTE>(image, 40 + (row * e.size + x) * 4 + 3);
                BYTE maskByte = ReadAt<BYTE>(image, 40 + pixels * 4 + row * maskStride + x / 8);
                bool masked = maskByte & (0x80 >> (x % 8));
                opaque += alpha == 255;
                clear += alpha == 0;
                mismatches += masked != (alpha == 0);
            }
        }
        EXPECT_EQ(mismatches, 0u) << "mask bits set exactly where alpha is 0";
        EXPECT_GT(opaque, pixels / 4) << "the image draws something";
        EXPECT_GT(clear, 0u) << "the image has a transparent outline, not a square";
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()), DWORD(image.size()),
                                              TRUE, 0x00030000, e.size, e.size, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << "the system accepts the image as an icon";
        if (icon)
            DestroyIcon(icon);
    }
}

TEST_F(ExeResources, ManifestAsksForCommonControlsSixAndNothingElse) {
    EXPECT_EQ(ResourceBytes(Module, RT_MANIFEST, 1, EnglishUs), std::string(Manifest));
}

// The version block as the version calls present it.
class VersionInfo : public testing::Test {
  protected:
    void SetUp() override {
        std::wstring path = Widen(VelquorExePath());
        DWORD ignored = 0;
        block.resize(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        ASSERT_FALSE(block.empty()) << "no version block in " << VelquorExePath();
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, DWORD(block.size()), block.data()));
    }

    // The value under a query path, or null with size 0 when it is missing.
    const void* Query(const wchar_t* subBlock, UINT* size) {
        void* value = nullptr;
        if (VerQueryValueW(block.data(), subBlock, &value, size))
            return value;
        *size = 0;
        return nullptr;
    }

    // A string of the Spanish table; empty when the key is missing.
    std::wstring String(const wchar_t* key) {
        UINT size = 0;
        std::wstring path = std::wstring(L"\\StringFileInfo\\040A0000\\") + key;
        const wchar_t* value = static_cast<const wchar_t*>(Query(path.c_str(), &size));
        return value ? std::wstring(value) : std::wstring();
    }

    std::vector<BYTE> block;
};

TEST_F(VersionInfo, FixedPartDescribesADebugFlaggedApplication) {
    UINT size = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", &size));
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
    const struct {
        const char* field;
        DWORD actual;
        DWORD expected;
    } cases[] = {
        {"signature", fixed->dwSignature, 0xFEEF04BD},
        {"file version 1.2", fixed->dwFileVersionMS, 0x00010002},
        {"file version .2.1", fixed->dwFileVersionLS, 0x00020001},
        {"product version 1.2", fixed->dwProductVersionMS, 0x00010002},
        {"product version .2.1", fixed->dwProductVersionLS, 0x00020001},
        {"flags mask", fixed->dwFileFlagsMask, 0x3F},
        {"flags", fixed->dwFileFlags, VS_FF_DEBUG},
        {"operating system", fixed->dwFileOS, VOS__WINDOWS32},
        {"file type", fixed->dwFileType, VFT_APP},
        {"subtype", fixed->dwFileSubtype, 0},
        {"date (high)", fixed->dwFileDateMS, 0},
        {"date (low)", fixed->dwFileDateLS, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.field;
}

TEST_F(VersionInfo, TranslationIsSpanishWithCodePageZero) {
    UINT size = 0;
    const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &size));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(size, 2 * sizeof(WORD)) << "exactly one language and code page pair";
    EXPECT_EQ(translation[0], Spanish);
    EXPECT_EQ(translation[1], 0) << "code page 0: the strings are UTF-16";
}

TEST_F(VersionInfo, StringsOfTheSpanishTable) {
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } cases[] = {
        {L"FileDescription", L"Ordenacion de texto"},
        {L"FileVersion", L"VerNum 1.22"},
        {L"InternalName", L"Privado"},
        {L"OriginalFilename", L"Velquor.exe"},
        {L"PrivateBuild", L"Informaci\u00f3n Privada"},
        {L"ProductName", L"Velquor"},
        {L"ProductVersion", L"Versi\u00f3n Producto 1"},
        {L"SpecialBuild", L"Informaci\u00f3n Especial"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(String(c.key), c.value) << "key " << testing::PrintToString(std::wstring(c.key));
}

TEST_F(VersionInfo, OtherStandardStringsAreFilledIn) {
    for (const wchar_t* key : {L"Comments", L"CompanyName", L"LegalCopyright", L"LegalTrademarks"}) {
        EXPECT_FALSE(String(key).empty()) << testing::PrintToString(std::wstring(key));
    }
}

} // namespace
