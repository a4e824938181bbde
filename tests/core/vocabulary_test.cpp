#include <gtest/gtest.h>

#include <set>

#include "config/vocabulary.h"

namespace klaxora {
namespace {

TEST(Vocabulary, TriggersInListOrderWithCodesAndPages) {
    const auto t = Triggers();
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[0].caption, L"Brak połączenia z Internetem");
    EXPECT_EQ(t[1].caption, L"Odlicz w dół i uruchom");
    EXPECT_EQ(t[2].caption, L"Program przestanie odpowiadać");
    EXPECT_EQ(t[3].caption, L"Program zostanie zamknięty");
    EXPECT_EQ(t[4].caption, L"Uruchom alarm o ...");
    EXPECT_EQ(t[5].caption, L"Uruchomiony zostanie program");
    EXPECT_EQ(t[6].caption, L"Po uruchomieniu Windows");
    std::wstring codes;
    for (const auto& info : t)
        codes += std::wstring(info.code) + L" ";
    EXPECT_EQ(codes, L"BI OD PO PZ UG PU PW ");
    for (const auto& info : t)
        EXPECT_EQ(&Info(info.kind), &info);
}

TEST(Vocabulary, ActionsInTheirUnsortedOrderWithPanels) {
    const auto a = Actions();
    ASSERT_EQ(a.size(), 10u);
    EXPECT_EQ(a[0].caption, L"Domyślne okno");
    EXPECT_FALSE(a[0].hasPanel);
    EXPECT_EQ(a[2].caption, L"Odegraj dźwięk");
    EXPECT_TRUE(a[2].hasPanel);
    EXPECT_EQ(a[7].caption, L"Zamknij system/Wyłącz komputer");
    EXPECT_EQ(a[9].caption, L"Zabij proces");
    EXPECT_TRUE(a[9].hasPanel);
}

TEST(Vocabulary, OtherActionsAndShutdownKinds) {
    const auto o = OtherActions();
    ASSERT_EQ(o.size(), 14u);
    EXPECT_EQ(o[6].caption, L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray");
    EXPECT_EQ(o[7].subPanel, o[8].subPanel);
    EXPECT_EQ(o[9].caption, L"Zasymuluj wciśnięcie dowolnego klawisza(y)");
    EXPECT_EQ(o[13].caption, L"Zwiększ głośność maksymalnie");
    const auto s = ShutdownKinds();
    ASSERT_EQ(s.size(), 7u);
    EXPECT_EQ(s[6].caption, L"Zamknij system (Przejdź do DOS Win 9x i ME)");
    // One caption, two vocabularies: told apart by the list they come from.
    EXPECT_EQ(Info(OtherActionKind::MonitorOff).caption, Info(ShutdownKind::MonitorOff).caption);
    EXPECT_EQ(ShutdownByCaption(L"Wygaś monitor"), ShutdownKind::MonitorOff);
    EXPECT_EQ(OtherActionByCaption(L"Wygaś monitor"), OtherActionKind::MonitorOff);
}

TEST(Vocabulary, ExactLookupIsCaseSensitiveCommandLineLookupIsNot) {
    EXPECT_EQ(ActionByCaption(L"Komunikat"), ActionKind::Message);
    EXPECT_FALSE(ActionByCaption(L"KOMUNIKAT"));
    EXPECT_EQ(ActionByCaptionNoCase(L"ODEGRAJ DŹWIĘK"), ActionKind::PlaySound);
    EXPECT_EQ(TriggerByCodeNoCase(L"od"), TriggerKind::Countdown);
    EXPECT_FALSE(TriggerByCode(L"od"));
    EXPECT_EQ(TriggerByCode(L"PW"), TriggerKind::AfterWindowsStart);
    EXPECT_EQ(OtherActionByCaptionNoCase(L"WYSUŃ/WSUŃ SZUFLADĘ CD/DVD/BLU-RAY"),
              OtherActionKind::CdTray);
    EXPECT_EQ(ShutdownByCaptionNoCase(L"wyłącz KOMPUTER"), ShutdownKind::PowerOff);
    EXPECT_FALSE(TriggerByCaption(L""));
    EXPECT_FALSE(ActionByCaptionNoCase(L"Komunikat "));
}

TEST(Vocabulary, CaptionsAreUniqueWithinEachList) {
    std::set<std::wstring_view> seen;
    for (const auto& a : Actions())
        EXPECT_TRUE(seen.insert(a.caption).second);
    seen.clear();
    for (const auto& o : OtherActions())
        EXPECT_TRUE(seen.insert(o.caption).second);
    seen.clear();
    for (const auto& t : Triggers())
        EXPECT_TRUE(seen.insert(t.code).second);
}

TEST(Vocabulary, PresetsAndCdOperations) {
    EXPECT_EQ(MessageTextPresets().size(), 16u);
    EXPECT_EQ(MessageTextPresets()[0], L"ALARM !!!");
    EXPECT_EQ(MessageTextPresets()[15], L"Wybiła Twoja godzina !!!");
    EXPECT_EQ(MessageCaptionPresets().size(), 6u);
    EXPECT_EQ(MessageCaptionPresets()[5], L"Vantrelix Klaxora");
    ASSERT_EQ(CdTrayOperations().size(), 2u);
    EXPECT_EQ(CdTrayOperations()[0], L"WSUŃ");
    EXPECT_EQ(CdTrayOperations()[1], L"WYSUŃ");
}

}  // namespace
}  // namespace klaxora
