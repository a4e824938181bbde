#include <gtest/gtest.h>

#include "dialogs/update_proxy.h"

namespace klaxora {
namespace {

TEST(UpdateProxy, AutomaticAnswerFirstThenTheFixedProxyThenTheSystems) {
    const ProxySettings fixed{false, L"", L" firma:8080 ", L"<local>"};
    const ProxySettings script{false, L"http://wpad/proxy.pac", L"firma:8080", L""};
    const ProxySettings none{};
    const AutoProxyAnswer viaScript{false, L"pac:3128", L"*.firma.pl"};
    const AutoProxyAnswer direct{true, L"", L""};
    const AutoProxyAnswer blank{false, L"  ", L""};
    struct Case {
        const char* name;
        ProxySettings settings;
        std::optional<AutoProxyAnswer> answer;
        ProxyChoice choice;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"script answers", script, viaScript, {ProxyKind::Named, L"pac:3128", L"*.firma.pl"}},
             {"script says direct", script, direct, {ProxyKind::Direct, L"", L""}},
             {"script failed", script, std::nullopt, {ProxyKind::Named, L"firma:8080", L""}},
             {"script named nothing", script, blank, {ProxyKind::Named, L"firma:8080", L""}},
             {"fixed only", fixed, std::nullopt, {ProxyKind::Named, L"firma:8080", L"<local>"}},
             {"nothing set", none, std::nullopt, {}},
             {"blank fixed proxy", {false, L"", L"  ", L"<local>"}, std::nullopt, {}},
         }) {
        EXPECT_EQ(ChooseProxy(c.settings, c.answer), c.choice) << c.name;
    }
    EXPECT_TRUE(AsksAutomaticProxy({true, L"", L"firma:8080", L""}));
    EXPECT_TRUE(AsksAutomaticProxy(script));
    EXPECT_FALSE(AsksAutomaticProxy({false, L" ", L"firma:8080", L""}));
}

}  // namespace
}  // namespace klaxora
