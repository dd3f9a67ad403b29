#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP/1.1 server for tests, on 127.0.0.1 at a port the system picks. It
// answers from a table of paths, each connection on its own thread; a path not in the
// table gets 404. An answer may have any status, may stall before its body and may cut
// its body short (the announced length is never reached and the connection closes).
// Beside that it can misbehave as a server that hangs does: take connections and never
// answer, answer one path never, or send a body a few bytes at a time.
class TestHttpServer {
public:
    struct Answer {
        int status = 200;
        std::string body;
        std::map<std::string, std::string> headers;   // extra headers, e.g. Location
        std::chrono::milliseconds stall{0};           // wait this long after the headers
        bool cutShort = false;                        // send only half of the body, then close
    };
    // A stall that lasts until the server stops: the headers come, the body never.
    static constexpr std::chrono::milliseconds kUntilStopped = std::chrono::hours(24);

    // How a body trickles in: `bytes` at a time, one piece every `every`.
    struct Pace {
        std::size_t bytes = 1;
        std::chrono::milliseconds every{100};
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
    // The answer's body goes out at the pace given, after its headers.
    void answerSlowly(const std::string& path, Answer answer, Pace pace);
    // A request for path is read and then left without a word, the connection open,
    // until the server stops.
    void neverAnswer(const std::string& path);
    // While set, every new connection is taken and held open, nothing read and nothing
    // sent, until the server stops.
    void setSilent(bool silent) { silent_ = silent; }

    // Every request as "METHOD /path", in order of arrival.
    std::vector<std::string> requests() const;
    // How many connections were taken, answered or not.
    int connections() const { return connections_; }

    // A loopback port on which nothing listens: a connection there is refused at once.
    static int closedPort();

private:
    struct Rule {
        Answer answer;
        bool never = false;
        Pace pace{0, std::chrono::milliseconds(0)};   // bytes 0: the whole body at once
    };

    void serve();
    void handle(int connection);
    void hold(int connection);
    bool waitOrStop(std::chrono::milliseconds time);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> silent_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::map<std::string, Rule> rules_;
    std::vector<std::string> requests_;
    std::vector<std::thread> handlers_;   // touched by the serving thread only, then joined
    std::thread thread_;
};
