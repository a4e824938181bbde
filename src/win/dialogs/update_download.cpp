#include "win/dialogs/update_download.h"

#include <winhttp.h>

#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/update_proxy.h"

namespace klaxora::win {
namespace {

// WinHTTP is taken from its DLL on first use, which only the about box ever makes. The DLL is
// never freed: a worker may still be inside it while the program ends.
struct WinHttp {
    decltype(::WinHttpOpen)* Open = nullptr;
    decltype(::WinHttpCrackUrl)* CrackUrl = nullptr;
    decltype(::WinHttpConnect)* Connect = nullptr;
    decltype(::WinHttpOpenRequest)* OpenRequest = nullptr;
    decltype(::WinHttpSetTimeouts)* SetTimeouts = nullptr;
    decltype(::WinHttpSendRequest)* SendRequest = nullptr;
    decltype(::WinHttpReceiveResponse)* ReceiveResponse = nullptr;
    decltype(::WinHttpQueryHeaders)* QueryHeaders = nullptr;
    decltype(::WinHttpReadData)* ReadData = nullptr;
    decltype(::WinHttpCloseHandle)* CloseHandle = nullptr;
    decltype(::WinHttpGetIEProxyConfigForCurrentUser)* GetIEProxyConfig = nullptr;
    decltype(::WinHttpGetProxyForUrl)* GetProxyForUrl = nullptr;
    bool ok = false;
};

template <typename F>
void Bind(HMODULE module, F*& f, const char* name, bool& ok) {
    f = reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    ok = ok && f != nullptr;
}

const WinHttp& Api() {
    // A function-local static is initialised once even when threads race to it.
    static const WinHttp api = [] {
        WinHttp a;
        const HMODULE module =
            LoadLibraryExW(L"winhttp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!module)
            return a;
        a.ok = true;
        Bind(module, a.Open, "WinHttpOpen", a.ok);
        Bind(module, a.CrackUrl, "WinHttpCrackUrl", a.ok);
        Bind(module, a.Connect, "WinHttpConnect", a.ok);
        Bind(module, a.OpenRequest, "WinHttpOpenRequest", a.ok);
        Bind(module, a.SetTimeouts, "WinHttpSetTimeouts", a.ok);
        Bind(module, a.SendRequest, "WinHttpSendRequest", a.ok);
        Bind(module, a.ReceiveResponse, "WinHttpReceiveResponse", a.ok);
        Bind(module, a.QueryHeaders, "WinHttpQueryHeaders", a.ok);
        Bind(module, a.ReadData, "WinHttpReadData", a.ok);
        Bind(module, a.CloseHandle, "WinHttpCloseHandle", a.ok);
        Bind(module, a.GetIEProxyConfig, "WinHttpGetIEProxyConfigForCurrentUser", a.ok);
        Bind(module, a.GetProxyForUrl, "WinHttpGetProxyForUrl", a.ok);
        return a;
    }();
    return api;
}

class Internet {
  public:
    explicit Internet(HINTERNET h) : h_(h) {}
    ~Internet() {
        if (h_)
            Api().CloseHandle(h_);
    }
    Internet(const Internet&) = delete;
    Internet& operator=(const Internet&) = delete;
    HINTERNET Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

  private:
    HINTERNET h_;
};

std::wstring DecodeText(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    std::string_view body(bytes);
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    if (body.empty())
        return {};
    for (UINT codePage : {UINT(CP_UTF8), UINT(CP_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int n =
            MultiByteToWideChar(codePage, flags, body.data(), int(body.size()), nullptr, 0);
        if (n > 0) {
            std::wstring text(size_t(n), L'\0');
            MultiByteToWideChar(codePage, flags, body.data(), int(body.size()), text.data(), n);
            return text;
        }
    }
    return {};
}

// Takes a text WinHTTP allocated, and frees it.
std::wstring Take(LPWSTR text) {
    if (!text)
        return {};
    std::wstring taken(text);
    GlobalFree(text);
    return taken;
}

ProxySettings ReadProxySettings(const WinHttp& api) {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG user{};
    if (!api.GetIEProxyConfig(&user))
        return {};
    return {user.fAutoDetect != FALSE, Take(user.lpszAutoConfigUrl), Take(user.lpszProxy),
            Take(user.lpszProxyBypass)};
}

// Automatic detection and the configuration script, as the user's settings ask, each phase
// bounded as the download is; nothing when they do not ask or it fails (no script found, a
// script that cannot be read or run).
std::optional<AutoProxyAnswer> AskAutomaticProxy(const WinHttp& api, const std::wstring& url,
                                                 const ProxySettings& settings, int timeoutMs) {
    if (!AsksAutomaticProxy(settings))
        return std::nullopt;
    Internet session(api.Open(L"Klaxora", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                              WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session)
        return std::nullopt;
    api.SetTimeouts(session.Get(), timeoutMs, timeoutMs, timeoutMs, timeoutMs);
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (settings.autoDetect) {
        options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    if (!settings.configScript.empty()) {
        options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = settings.configScript.c_str();
    }
    // A script on the company's server may ask who we are, as it asks the browser.
    options.fAutoLogonIfChallenged = TRUE;
    WINHTTP_PROXY_INFO info{};
    if (!api.GetProxyForUrl(session.Get(), url.c_str(), &options, &info))
        return std::nullopt;
    AutoProxyAnswer answer;
    answer.direct = info.dwAccessType == WINHTTP_ACCESS_TYPE_NO_PROXY;
    answer.proxy = Take(info.lpszProxy);
    answer.bypass = Take(info.lpszProxyBypass);
    return answer;
}

// A session going the chosen way; the choice is made before, so it is the session's from the
// start rather than an option of each request.
HINTERNET OpenSession(const WinHttp& api, const ProxyChoice& choice) {
    switch (choice.kind) {
        case ProxyKind::Direct:
            return api.Open(L"Klaxora", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                            WINHTTP_NO_PROXY_BYPASS, 0);
        case ProxyKind::Named:
            return api.Open(L"Klaxora", WINHTTP_ACCESS_TYPE_NAMED_PROXY, choice.proxy.c_str(),
                            choice.bypass.empty() ? WINHTTP_NO_PROXY_BYPASS : choice.bypass.c_str(),
                            0);
        case ProxyKind::System:
            break;
    }
    return api.Open(L"Klaxora", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                    WINHTTP_NO_PROXY_BYPASS, 0);
}

}  // namespace

std::optional<std::wstring> FetchSmallText(const std::wstring& url, DWORD phaseTimeoutMs,
                                           DWORD totalTimeoutMs, size_t maxBytes) {
    const WinHttp& api = Api();
    if (!api.ok)
        return std::nullopt;
    const ULONGLONG deadline = GetTickCount64() + totalTimeoutMs;

    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = DWORD(-1);
    parts.dwUrlPathLength = DWORD(-1);
    parts.dwExtraInfoLength = DWORD(-1);
    if (!api.CrackUrl(url.c_str(), DWORD(url.size()), 0, &parts))
        return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return std::nullopt;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    const int t = int(phaseTimeoutMs);
    const ProxySettings settings = ReadProxySettings(api);
    const ProxyChoice proxy = ChooseProxy(settings, AskAutomaticProxy(api, url, settings, t));
    if (GetTickCount64() > deadline)
        return std::nullopt;
    Internet session(OpenSession(api, proxy));
    if (!session)
        return std::nullopt;
    api.SetTimeouts(session.Get(), t, t, t, t);
    Internet connection(api.Connect(session.Get(), host.c_str(), parts.nPort, 0));
    if (!connection)
        return std::nullopt;
    Internet request(
        api.OpenRequest(connection.Get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                        WINHTTP_DEFAULT_ACCEPT_TYPES,
                        parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request)
        return std::nullopt;
    if (!api.SendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                         0, 0, 0) ||
        !api.ReceiveResponse(request.Get(), nullptr)) {
        return std::nullopt;
    }
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!api.QueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX) ||
        status != 200) {
        return std::nullopt;
    }
    std::string body;
    char buffer[4096];
    for (;;) {
        if (GetTickCount64() > deadline)
            return std::nullopt;
        DWORD read = 0;
        if (!api.ReadData(request.Get(), buffer, sizeof(buffer), &read))
            return std::nullopt;
        if (read == 0)
            break;
        if (body.size() + read > maxBytes)
            return std::nullopt;
        body.append(buffer, read);
    }
    return DecodeText(body);
}

struct BackgroundDownload::State {
    std::mutex lock;
    HWND notify = nullptr;  // cleared when the owner lets go
    UINT message = 0;
    bool done = false;
    std::optional<std::wstring> text;
};

bool BackgroundDownload::Start(const std::wstring& url, HWND notify, UINT message,
                               DWORD totalTimeoutMs, size_t maxBytes) {
    Abandon();
    auto state = std::make_shared<State>();
    state->notify = notify;
    state->message = message;
    // WinHTTP is loaded here, on the window's thread, so the worker only calls into it.
    if (!Api().ok)
        return false;
    try {
        // Every phase may take the whole time; the owner's deadline bounds what the user waits.
        std::thread([state, url, totalTimeoutMs, maxBytes] {
            auto text = FetchSmallText(url, totalTimeoutMs, totalTimeoutMs, maxBytes);
            std::lock_guard guard(state->lock);
            state->text = std::move(text);
            state->done = true;
            if (state->notify)
                PostMessageW(state->notify, state->message, 0, 0);
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    state_ = std::move(state);
    return true;
}

std::optional<std::optional<std::wstring>> BackgroundDownload::TakeResult() {
    if (!state_)
        return std::nullopt;
    std::optional<std::wstring> text;
    {
        std::lock_guard guard(state_->lock);
        if (!state_->done)
            return std::nullopt;
        text = std::move(state_->text);
    }
    state_.reset();
    return text;
}

void BackgroundDownload::Abandon() {
    if (!state_)
        return;
    {
        std::lock_guard guard(state_->lock);
        state_->notify = nullptr;
    }
    state_.reset();
}

}  // namespace klaxora::win
