// The programs' icon as Windows finds it: an icon group named IDI_ICON1 (the name Qt's windows
// load, the first icon that Explorer and the Start menu show) that holds every size they ask for,
// each an image the system makes an icon of.

#include <set>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

// The resource types of an icon group and of its images (winuser.h's RT_GROUP_ICON, RT_ICON).
constexpr WORD kIconGroup = 14;
constexpr WORD kIconImage = 3;

// An icon group as a resource holds it: a header, then one entry per image, packed to words.
#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type; // 1: icons
    WORD count;
};
struct IconGroupEntry {
    BYTE width; // 0 for 256
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitsPerPixel;
    DWORD bytes;
    WORD id; // of the RT_ICON resource
};
#pragma pack(pop)

const void* resourceBytes(HMODULE module, HRSRC resource) {
    const HGLOBAL loaded = ::LoadResource(module, resource);
    return loaded != nullptr ? ::LockResource(loaded) : nullptr;
}

TEST(ProgramIcon, EachProgramCarriesTheIconInEverySize) {
    for (const char* program : {PARVELIN_PROGRAM, PARVELIN_CLI_PROGRAM}) {
        SCOPED_TRACE(program);
        const HMODULE module = ::LoadLibraryExA(
            program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr) << ::GetLastError();
        const HRSRC group = ::FindResourceW(module, L"IDI_ICON1", MAKEINTRESOURCEW(kIconGroup));
        ASSERT_NE(group, nullptr) << "no icon named IDI_ICON1";
        const auto* header = static_cast<const IconGroupHeader*>(resourceBytes(module, group));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->type, 1);
        ASSERT_EQ(::SizeofResource(module, group),
                  sizeof(IconGroupHeader) + header->count * sizeof(IconGroupEntry));
        const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 1);
        std::set<int> sizes;
        for (WORD i = 0; i < header->count; ++i) {
            const IconGroupEntry& entry = entries[i];
            const int size = entry.width == 0 ? 256 : entry.width;
            SCOPED_TRACE(size);
            EXPECT_EQ(entry.width, entry.height) << "square";
            sizes.insert(size);
            const HRSRC image =
                ::FindResourceW(module, MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(kIconImage));
            ASSERT_NE(image, nullptr);
            ASSERT_EQ(::SizeofResource(module, image), entry.bytes);
            const HICON icon = ::CreateIconFromResourceEx(
                static_cast<PBYTE>(const_cast<void*>(resourceBytes(module, image))), entry.bytes,
                TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
            EXPECT_NE(icon, nullptr) << "the system makes no icon of it";
            if (icon != nullptr) {
                ICONINFO info{};
                ASSERT_TRUE(::GetIconInfo(icon, &info));
                BITMAP colour{};
                ::GetObjectW(info.hbmColor, sizeof colour, &colour);
                EXPECT_EQ(colour.bmWidth, size);
                EXPECT_EQ(colour.bmBitsPixel, 32) << "with its alpha channel";
                ::DeleteObject(info.hbmColor);
                ::DeleteObject(info.hbmMask);
                ::DestroyIcon(icon);
            }
        }
        EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64, 128, 256}));
        ::FreeLibrary(module);
    }
}

} // namespace
