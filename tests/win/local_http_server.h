#pragma once
// A tiny HTTP server on 127.0.0.1 for the update check's tests: it answers every request with
// one body, or accepts and never answers. It runs on its own thread until destroyed.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace klaxora::testing {

class LocalHttpServer {
  public:
    enum class Mode { Answer, Silent };

    explicit LocalHttpServer(std::string body, Mode mode = Mode::Answer)
        : body_(std::move(body)), mode_(mode) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;  // any free port
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        int length = sizeof(address);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        listen(listener_, 8);
        thread_ = std::thread([this] { Run(); });
    }
    ~LocalHttpServer() {
        stop_ = true;
        thread_.join();
        closesocket(listener_);
        for (SOCKET s : held_)
            closesocket(s);
        WSACleanup();
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // The base address the check appends "version.ini" to.
    std::wstring Base() const { return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/"; }
    int Requests() const { return requests_; }

  private:
    void Run() {
        while (!stop_) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_, &ready);
            timeval wait{0, 50000};
            if (select(0, &ready, nullptr, nullptr, &wait) != 1)
                continue;
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                continue;
            ++requests_;
            if (mode_ == Mode::Silent) {
                held_.push_back(client);  // open, never answered, closed at the end
                continue;
            }
            // The request's head, read up to its empty line (bounded).
            std::string head;
            char buffer[1024];
            while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384) {
                const int n = recv(client, buffer, sizeof(buffer), 0);
                if (n <= 0)
                    break;
                head.append(buffer, n);
            }
            const std::string answer =
                "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n"
                "Connection: close\r\nContent-Length: " +
                std::to_string(body_.size()) + "\r\n\r\n" + body_;
            send(client, answer.data(), static_cast<int>(answer.size()), 0);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }

    std::string body_;
    Mode mode_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::vector<SOCKET> held_;
    std::thread thread_;
};

}  // namespace klaxora::testing
