#include <windows.h>

#include "config/recent_list.h"
#include "contract/registry_contract.h"
#include "win/sys/registry_win.h"

namespace klaxora::testing {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryFactory{
                             "Win32", [] { return std::make_unique<win::Win32Registry>(); },
                             L"Software\\KlaxoraTest"}));

namespace {

// Values of types the port cannot write are made with the API itself.
void SetRaw(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY h = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(h, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(h);
}

TEST(Win32Registry, TypedReadRuleAgainstRealValueTypes) {
    win::Win32Registry registry;
    const wchar_t* key = L"Software\\KlaxoraTest\\Typed";
    registry.DeleteTree(key);
    const wchar_t expand[] = L"%WINDIR%";
    SetRaw(key, L"LastRun", REG_EXPAND_SZ, expand, sizeof(expand));
    const wchar_t one[] = L"1";
    SetRaw(key, L"Repeat", REG_SZ, one, sizeof(one));
    const BYTE binary[4] = {1, 0, 0, 0};
    SetRaw(key, L"BrakNeta", REG_BINARY, binary, sizeof(binary));
    const DWORD five = 5;
    SetRaw(key, L"Count", REG_DWORD, &five, sizeof(five));
    // Text stored without its terminator still reads as the text.
    const wchar_t bare[] = {L'a', L'b'};
    SetRaw(key, L"Bare", REG_SZ, bare, sizeof(bare));

    EXPECT_EQ(ReadRegistryString(registry, key, L"LastRun", L"default"), L"default");
    EXPECT_EQ(registry.Open(key)->Read(L"LastRun")->type, RegistryType::ExpandString);
    EXPECT_EQ(ReadRegistryInteger(registry, key, L"Repeat", 0), 0);
    EXPECT_EQ(ReadRegistryInteger(registry, key, L"BrakNeta", 9), 9);
    EXPECT_EQ(registry.Open(key)->Read(L"BrakNeta")->type, RegistryType::Binary);
    EXPECT_EQ(ReadRegistryInteger(registry, key, L"Count", 0), 5);
    EXPECT_EQ(ReadRegistryString(registry, key, L"Count", L"x"), L"x");
    EXPECT_EQ(ReadRegistryString(registry, key, L"Bare", L""), L"ab");
    registry.DeleteTree(key);
}

TEST(Win32Registry, ReadingCreatesTheMissingKey) {
    win::Win32Registry registry;
    const wchar_t* key = L"Software\\KlaxoraTest\\Created";
    registry.DeleteTree(key);
    EXPECT_EQ(ReadRegistryString(registry, key, L"x", L"d"), L"d");
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &h), ERROR_SUCCESS);
    if (h)
        RegCloseKey(h);
    registry.DeleteTree(key);
}

TEST(Win32Registry, RecentListClearLeavesAnEmptySubkey) {
    win::Win32Registry registry;
    RecentList list(registry, L"Test_MRU");
    list.Push(L"00:05:00");
    list.Push(L"00:10:00");
    EXPECT_EQ(list.Load().size(), 3u);
    EXPECT_EQ(list.Current(), L"00:10:00");
    list.Clear();
    EXPECT_TRUE(list.Load().empty());
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, RecentListKey(L"Test_MRU").c_str(), 0, KEY_READ, &h),
              ERROR_SUCCESS);
    if (h)
        RegCloseKey(h);
    registry.DeleteTree(RecentListKey(L"Test_MRU"));
}

}  // namespace
}  // namespace klaxora::testing
