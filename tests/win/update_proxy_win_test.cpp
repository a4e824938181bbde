// The update check through the proxy a company's automatic configuration script names.
#include <gtest/gtest.h>
#include <windows.h>

#include "util/text.h"
#include "win/dialogs/update_download.h"
#include "win/local_http_server.h"

namespace klaxora::win {
namespace {

constexpr const wchar_t* kConnections =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";

// The browser's settings as Windows keeps them: a header with the flags (direct, or as the
// script says), then the fixed proxy, its exceptions and the script's address, each counted.
void SetConfigurationScript(const std::wstring& address) {
    std::string blob;
    const auto put = [&](DWORD v) { blob.append(reinterpret_cast<const char*>(&v), sizeof(v)); };
    for (DWORD v : {0x46, 1, 0x1 | 0x4})
        put(v);
    for (const std::string& text : {std::string(), std::string(), ToUtf8(address)}) {
        put(static_cast<DWORD>(text.size()));
        blob += text;
    }
    blob.append(32, '\0');
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kConnections, L"DefaultConnectionSettings",
                              REG_BINARY, blob.data(), static_cast<DWORD>(blob.size())),
              ERROR_SUCCESS);
}

TEST(UpdateProxy, TheCheckGoesThroughTheProxyTheConfigurationScriptNames) {
    testing::LocalHttpServer proxy("[Klaxora]\r\nversion=9.0.0.0\r\n");
    const std::wstring at = proxy.Base().substr(7, proxy.Base().size() - 8);  // "127.0.0.1:port"
    testing::LocalHttpServer script("function FindProxyForURL(url, host) { return \"PROXY " +
                                    ToUtf8(at) + "\"; }");
    SetConfigurationScript(script.Base() + L"proxy.pac");
    // A name no resolver knows: only the proxy can answer for it.
    const auto text = FetchSmallText(L"http://klaxora.invalid/version.ini", 5000, 5000, 1024);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kConnections, L"DefaultConnectionSettings");
    EXPECT_EQ(text, L"[Klaxora]\r\nversion=9.0.0.0\r\n");
    EXPECT_EQ(proxy.Requests(), 1);
}

}  // namespace
}  // namespace klaxora::win
