#include <gtest/gtest.h>

#include "dialogs/update_check.h"

namespace klaxora {
namespace {

TEST(UpdateCheck, IsNewerVersionComparesFourIntegerPartsInOrder) {
    struct Case {
        const wchar_t* published;
        const wchar_t* current;
        bool newer;
    };
    for (const Case& c : std::initializer_list<Case>{
             {L"2.0.0.0", L"1.9.9.9", true},
             {L"1.9.0.0", L"2.0.0.5", false},
             {L"1.2.3.4", L"1.2.3.4", false},
             {L"1.2.3.10", L"1.2.3.9", true},  // numbers, not texts
             {L"1.2.4.0", L"1.2.3.99", true},
             {L"1.0.0.0", L"1.0.0.1", false},
             // Malformed texts are never newer.
             {L"2.0", L"1.0.0.0", false},
             {L"2.0.0", L"1.0.0.0", false},
             {L"", L"1.0.0.0", false},
             {L"2.0.0.0.1", L"1.0.0.0", false},  // the fourth part is "0.1"
             {L"2.x.0.0", L"1.0.0.0", false},
             {L"2..0.0", L"1.0.0.0", false},
             {L"99999999999.0.0.0", L"1.0.0.0", false},
             {L"2.0.0.0", L"garbage", false},
         }) {
        EXPECT_EQ(IsNewerVersion(c.published, c.current), c.newer)
            << c.published << " vs " << c.current;
    }
}

TEST(UpdateCheck, OnlyPlainWebAddressesAreOpened) {
    for (const wchar_t* good :
         {L"http://www.vantrelix.pl/", L"https://example.com/k/setup.exe", L"HTTPS://Example.com",
          L"http://127.0.0.1:8080/a?b=c", L"http://[::1]:8080/", L"https://a:b@x.pl/"}) {
        EXPECT_TRUE(IsWebAddress(good)) << good;
    }
    for (const wchar_t* bad :
         {L"", L"file:///C:/Windows/System32/calc.exe", L"file://server/share/x.exe",
          L"C:\\Windows\\System32\\calc.exe", L"calc.exe", L"\\\\server\\share\\setup.exe",
          L"javascript:alert(1)", L"mailto:a@b.pl", L"http://", L"https:///path", L"http:/x.pl",
          L"http://x.pl/a b", L"http://x.pl/\"calc", L"http://x.pl\\..\\calc.exe", L" http://x.pl",
          L"http://x.pl/\r\ncalc", L"ftp://x.pl/",
          // Shown otherwise than opened: reversed, a space that is not one, a foreign letter.
          L"https://x.pl/\u202Eexe.pl", L"https://x.pl/a\u00A0b", L"https://x.pl/\u200B",
          L"https://vantrelix.p\u04CF/", L"http://x.pl/\x7F", L"http://:80/", L"http://a@/",
          L"http://a@:80/x"}) {
        EXPECT_FALSE(IsWebAddress(bad)) << bad;
    }
}

TEST(UpdateCheck, VersionFileAddressTakesOnlyAWebBaseFromTheTests) {
    EXPECT_EQ(VersionFileAddress(std::nullopt), L"https://www.vantrelix.pl/klaxora/version.ini");
    EXPECT_EQ(VersionFileAddress(L"http://127.0.0.1:5000/"), L"http://127.0.0.1:5000/version.ini");
    EXPECT_EQ(VersionFileAddress(L"C:\\temp\\"), L"https://www.vantrelix.pl/klaxora/version.ini");
}

TEST(UpdateCheck, IniValuesAreFoundAsTheProfileReaderFindsThem) {
    const std::wstring ini =
        L"; comment\r\n[Dane]\r\n  VANTRELIXHOMEPAGE = \"http://home.pl/\"  \r\n"
        L"[klaxora]\nversion=2.0.0.0\nurl=\nnew=Nowa wersja = lepsza\n"
        L"[Klaxora]\nversion=9.9.9.9\n";
    EXPECT_EQ(IniValue(ini, L"dane", L"VantrelixHomePage"), L"http://home.pl/");
    EXPECT_EQ(IniValue(ini, L"Klaxora", L"version"), L"2.0.0.0");  // the first section wins
    EXPECT_EQ(IniValue(ini, L"Klaxora", L"url"), L"");             // present but empty
    EXPECT_EQ(IniValue(ini, L"Klaxora", L"new"), L"Nowa wersja = lepsza");
    EXPECT_EQ(IniValue(ini, L"Klaxora", L"missing"), std::nullopt);
    EXPECT_EQ(IniValue(ini, L"other", L"version"), std::nullopt);
    EXPECT_EQ(IniValue(L"version=1.0.0.0", L"Klaxora", L"version"), std::nullopt);
    EXPECT_TRUE(IniHasSection(ini, L"DANE"));
    EXPECT_FALSE(IniHasSection(ini, L"version"));
}

TEST(UpdateCheck, VersionFileDecidesTheButtonAndTheHomePage) {
    struct Case {
        const char* name;
        std::optional<std::wstring> file;
        bool offered;
        std::wstring homePage;
    };
    const std::wstring home(kBuiltInHomePage);
    const std::vector<Case> cases = {
        {"newer",
         L"[dane]\nVantrelixHomePage=https://h.pl/\n[Klaxora]\nversion=2.0.0.0\n"
         L"url=https://h.pl/k.exe\nnew=opis\n",
         true, L"https://h.pl/"},
        {"equal", L"[Klaxora]\nversion=1.5.0.0\nurl=https://h.pl/k.exe\n", false, home},
        {"no url", L"[Klaxora]\nversion=2.0.0.0\nnew=opis\n", false, home},
        {"file url", L"[Klaxora]\nversion=2.0.0.0\nurl=file:///C:/Windows/notepad.exe\n", false,
         home},
        {"program url", L"[Klaxora]\nversion=2.0.0.0\nurl=C:\\Windows\\notepad.exe\n", false, home},
        {"unc url", L"[Klaxora]\nversion=2.0.0.0\nurl=\\\\srv\\s\\k.exe\n", false, home},
        {"short version", L"[Klaxora]\nversion=2.0\nurl=https://h.pl/k.exe\n", false, home},
        {"bad home page", L"[dane]\nVantrelixHomePage=file:///C:/x.exe\n", false, home},
        {"not an ini", L"<html>404</html>", false, home},
        {"no file", std::nullopt, false, home},
    };
    for (const Case& c : cases) {
        UpdateInfo info;
        ApplyVersionFile(info, c.file);
        EXPECT_EQ(OffersUpdate(info, L"1.5.0.0"), c.offered) << c.name;
        EXPECT_EQ(info.homePage, c.homePage) << c.name;
    }
}

TEST(UpdateCheck, AbsentKeysKeepWhatWasHeldAndAMissingSectionEmptiesTheAddress) {
    UpdateInfo info;
    info.publishedVersion = L"3.0.0.0";
    info.downloadAddress = L"https://h.pl/old.exe";
    info.description = L"stary opis";
    ApplyVersionFile(info, L"[Klaxora]\nnew=nowy opis\nurl=calc.exe\n");
    EXPECT_EQ(info.publishedVersion, L"3.0.0.0");
    EXPECT_EQ(info.downloadAddress, L"https://h.pl/old.exe");
    EXPECT_EQ(info.description, L"nowy opis");

    ApplyVersionFile(info, L"[dane]\n");
    EXPECT_EQ(info.publishedVersion, L"3.0.0.0");
    EXPECT_EQ(info.downloadAddress, L"");
    EXPECT_EQ(info.description, L"");
}

}  // namespace
}  // namespace klaxora
