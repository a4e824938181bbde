#include "contract/registry_contract.h"

#include <algorithm>

#include "config/recent_list.h"

namespace klaxora::testing {
namespace {

bool Contains(const std::vector<std::wstring>& names, std::wstring_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST_P(RegistryContract, OpeningCreatesAnEmptyKeyAndItsParents) {
    const auto key = registry->Open(base + L"\\a\\b");
    EXPECT_TRUE(key->ValueNames().empty());
    EXPECT_FALSE(key->Read(L"missing").has_value());
    EXPECT_FALSE(key->Read(L"").has_value());
    registry->Open(base + L"\\a")->WriteString(L"x", L"1");
    EXPECT_EQ(ReadString(*registry->Open(base + L"\\A"), L"X"), L"1");
}

TEST_P(RegistryContract, OpeningAnExistingKeyOnlyNeverCreatesOne) {
    EXPECT_EQ(registry->OpenExisting(base + L"\\c\\d"), nullptr);
    EXPECT_TRUE(registry->Open(base)->SubkeyNames().empty());
    registry->Open(base + L"\\c")->WriteString(L"x", L"1");
    EXPECT_EQ(ReadString(*registry->OpenExisting(base + L"\\C"), L"x"), L"1");
}

TEST_P(RegistryContract, ValuesKeepTheirTypes) {
    {
        const auto key = registry->Open(base);
        key->WriteString(L"text", L"Już czas !!!");
        key->WriteDword(L"number", 0xFFFFFFFFu);
        key->WriteString(L"empty", L"");
        key->WriteBinary(L"bytes", {0x03, 0x00, 0xFF});
    }
    const auto key = registry->Open(base);
    const auto text = key->Read(L"text");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, RegistryType::String);
    EXPECT_EQ(text->text, L"Już czas !!!");
    const auto number = key->Read(L"number");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, RegistryType::Dword);
    EXPECT_EQ(number->number, 0xFFFFFFFFu);
    EXPECT_EQ(ReadInteger(*key, L"number"), -1);
    EXPECT_EQ(key->Read(L"empty")->text, L"");
    EXPECT_EQ(key->Read(L"bytes")->type, RegistryType::Binary);
    EXPECT_EQ(key->Read(L"bytes")->bytes, (std::vector<uint8_t>{0x03, 0x00, 0xFF}));
    // A value rewritten with another type takes the new type.
    key->WriteString(L"number", L"7");
    EXPECT_EQ(ReadInteger(*key, L"number", 42), 42);
    EXPECT_EQ(ReadString(*key, L"number"), L"7");
}

TEST_P(RegistryContract, NamesIgnoreLetterCaseAndKeepTheFirstSpelling) {
    const auto key = registry->Open(base);
    key->WriteString(L"Wysuń", L"first");
    key->WriteString(L"WYSUŃ", L"second");
    EXPECT_EQ(key->ValueNames(), std::vector<std::wstring>{L"Wysuń"});
    EXPECT_EQ(ReadString(*key, L"wysuń"), L"second");
    key->DeleteValue(L"WYSUŃ");
    EXPECT_TRUE(key->ValueNames().empty());
    key->DeleteValue(L"never there");  // not an error
}

TEST_P(RegistryContract, UnnamedValueIsEnumeratedAsAnEmptyNameOnlyWhenSet) {
    const auto key = registry->Open(base);
    key->WriteString(L"00:05:00", L"");
    EXPECT_FALSE(Contains(key->ValueNames(), L""));
    key->WriteString(L"", L"00:05:00");
    const auto names = key->ValueNames();
    EXPECT_EQ(names.size(), 2u);
    EXPECT_TRUE(Contains(names, L""));
    EXPECT_TRUE(Contains(names, L"00:05:00"));
    EXPECT_EQ(ReadString(*key, L""), L"00:05:00");
}

TEST_P(RegistryContract, SubkeysAreListedOneLevelDeepAndGoWithTheirTree) {
    registry->Open(base + L"\\Alarmy\\Pierwszy\\głębiej");
    registry->Open(base + L"\\ALARMY\\drugi");
    auto names = registry->Open(base + L"\\Alarmy")->SubkeyNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Pierwszy", L"drugi"}));
    registry->DeleteTree(base + L"\\alarmy\\pierwszy");
    EXPECT_EQ(registry->Open(base + L"\\Alarmy")->SubkeyNames(),
              std::vector<std::wstring>{L"drugi"});
}

TEST_P(RegistryContract, DeleteTreeRemovesSubkeysAndValues) {
    registry->Open(base + L"\\list\\deeper")->WriteString(L"v", L"1");
    registry->Open(base + L"\\list")->WriteString(L"w", L"2");
    registry->Open(base)->WriteString(L"kept", L"3");
    registry->DeleteTree(base + L"\\LIST");
    registry->DeleteTree(base + L"\\never there");  // not an error
    EXPECT_TRUE(registry->Open(base + L"\\list")->ValueNames().empty());
    EXPECT_TRUE(registry->Open(base + L"\\list\\deeper")->ValueNames().empty());
    EXPECT_EQ(ReadString(*registry->Open(base), L"kept"), L"3");
}

TEST_P(RegistryContract, ManyValuesAreAllEnumerated) {
    const auto key = registry->Open(base);
    for (int i = 0; i < 300; ++i)
        key->WriteString(L"entry " + std::to_wstring(i), L"");
    const auto names = key->ValueNames();
    ASSERT_EQ(names.size(), 300u);
    for (int i = 0; i < 300; ++i)
        EXPECT_TRUE(Contains(names, L"entry " + std::to_wstring(i)));
}

TEST_P(RegistryContract, LongNamesAndTextsSurvive) {
    const auto key = registry->Open(base);
    const std::wstring longText(5000, L'ż');
    const std::wstring longName = std::wstring(200, L'a') + L"\\Media\\Dźwięk.wav";
    key->WriteString(L"long", longText);
    key->WriteString(longName, L"");
    EXPECT_EQ(ReadString(*key, L"long"), longText);
    EXPECT_TRUE(Contains(key->ValueNames(), longName));
}

}  // namespace
}  // namespace klaxora::testing
