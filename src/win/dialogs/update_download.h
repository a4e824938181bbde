#pragma once
// Fetches the small version file off the window's thread. The window is told by a posted
// message when the answer is in; it is never touched by the worker, and once the window lets
// go (it closes, the time is up) a late answer is dropped.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace klaxora::win {

// The text of a web resource of at most `maxBytes`, fetched in memory with every phase
// bounded by `phaseTimeoutMs` and the whole by `totalTimeoutMs`. Nothing when the address is
// not http(s), the server does not answer 200 in time, or the body is too large. The bytes are
// read as UTF-16 (with its mark), UTF-8, or the system's code page, in that order.
std::optional<std::wstring> FetchSmallText(const std::wstring& url, DWORD phaseTimeoutMs,
                                           DWORD totalTimeoutMs, size_t maxBytes);

class BackgroundDownload {
  public:
    BackgroundDownload() = default;
    ~BackgroundDownload() { Abandon(); }
    BackgroundDownload(const BackgroundDownload&) = delete;
    BackgroundDownload& operator=(const BackgroundDownload&) = delete;

    // Starts the fetch on a worker thread; `message` is posted to `notify` when it ends.
    // Returns false when WinHTTP or a thread is not to be had.
    bool Start(const std::wstring& url, HWND notify, UINT message, DWORD totalTimeoutMs,
               size_t maxBytes);
    bool Running() const { return state_ != nullptr; }
    // After the message: the answer (nothing inside: the download failed), or nothing when
    // no answer is in yet or it was abandoned.
    std::optional<std::optional<std::wstring>> TakeResult();
    // Stops waiting: the worker ends on its own time and its answer is dropped.
    void Abandon();

    struct State;

  private:
    std::shared_ptr<State> state_;
};

}  // namespace klaxora::win
