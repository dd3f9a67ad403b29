#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP/1.1 server for tests, on 127.0.0.1 at a port the system picks. It
// answers one connection at a time from a table of paths; a path not in the table gets
// 404. An answer may have any status, may stall before its body and may cut its body
// short (the announced length is never reached and the connection closes).
class TestHttpServer {
public:
    struct Answer {
        int status = 200;
        std::string body;
        std::map<std::string, std::string> headers;   // extra headers, e.g. Location
        std::chrono::milliseconds stall{0};           // wait this long after the headers
        bool cutShort = false;                        // send only half of the body, then close
    };

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:PORT", without a trailing "/".
    std::string address() const;

    void answer(const std::string& path, Answer answer);
    void answer(const std::string& path, int status, std::string body = {});

    // Every request as "METHOD /path", in order.
    std::vector<std::string> requests() const;

    // A loopback port on which nothing listens: a connection there is refused at once.
    static int closedPort();

private:
    void serve();
    void handle(int connection);
    bool waitOrStop(std::chrono::milliseconds time);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<std::string> requests_;
    std::thread thread_;
};
