// CHRONYX.dll's version resource read back as a host or Windows' file
// properties read it: GetFileVersionInfoA and VerQueryValueA on the file.
#include "tests/wine/wine_fixture.h"

#include <string>
#include <vector>

#include "chronyx_version.h"

namespace {

std::vector<char> VersionBlock() {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(wine::Chronyx(), path, sizeof path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data())) block.clear();
    return block;
}

TEST(VersionResource, FixedInfoCarriesTheProjectVersion) {
    std::vector<char> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "CHRONYX.dll has no version resource";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const struct {
        const char* field;
        DWORD got;
        DWORD expected;
    } cases[] = {
        {"dwSignature", fixed->dwSignature, 0xFEEF04BD},
        {"dwFileVersionMS", fixed->dwFileVersionMS, MAKELONG(CHX_VERSION_MINOR, CHX_VERSION_MAJOR)},
        {"dwFileVersionLS", fixed->dwFileVersionLS, MAKELONG(0, CHX_VERSION_PATCH)},
        {"dwProductVersionMS", fixed->dwProductVersionMS,
         MAKELONG(CHX_VERSION_MINOR, CHX_VERSION_MAJOR)},
        {"dwProductVersionLS", fixed->dwProductVersionLS, MAKELONG(0, CHX_VERSION_PATCH)},
        {"dwFileType", fixed->dwFileType, VFT_DLL},
        {"dwFileFlags", fixed->dwFileFlags, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.field;
}

TEST(VersionResource, StringsInTheLanguageTheTranslationNames) {
    std::vector<char> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "CHRONYX.dll has no version resource";
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x409, translation[0]) << "language";
    EXPECT_EQ(1200, translation[1]) << "code page";

    const struct {
        const char* key;
        std::string expected;
    } cases[] = {
        {"FileVersion", CHX_VERSION_TEXT},
        {"ProductVersion", CHX_VERSION_TEXT},
        {"ProductName", "CHRONYX"},
        {"OriginalFilename", "CHRONYX.dll"},
        {"FileDescription",
         std::string("CHRONYX clock object for game-creation hosts (") + CHX_IMAGE_WIDTH + ")"},
        {"LegalCopyright", "Copyright (c) 2026 the CHRONYX developers. MIT licence."},
    };
    for (const auto& c : cases) {
        std::string query = std::string("\\StringFileInfo\\040904B0\\") + c.key;
        char* value = nullptr;
        UINT chars = 0;
        bool found =
            VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars);
        std::string got = found && value ? std::string(value) : "(missing)";
        EXPECT_EQ(c.expected, got) << c.key;
    }
}

} // namespace
