#include "TestHttpServer.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* reasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

bool sendAll(int socket, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        // MSG_NOSIGNAL: a client that has gone must not end the test with SIGPIPE.
        const ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

int boundLoopbackSocket(int& port) {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) throw std::runtime_error("socket failed");
    const int on = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(s);
        throw std::runtime_error("bind failed");
    }
    socklen_t length = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
    port = ntohs(a.sin_port);
    return s;
}

}  // namespace

TestHttpServer::TestHttpServer() {
    // A proxy from the environment would stand between the client and this server.
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    listener_ = boundLoopbackSocket(port_);
    if (::listen(listener_, 16) != 0) {
        ::close(listener_);
        throw std::runtime_error("listen failed");
    }
    thread_ = std::thread([this] { serve(); });
}

TestHttpServer::~TestHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::close(listener_);
}

std::string TestHttpServer::address() const { return "http://127.0.0.1:" + std::to_string(port_); }

void TestHttpServer::answer(const std::string& path, Answer a) {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_[path] = Rule{std::move(a), false, Pace{0, std::chrono::milliseconds(0)}};
}

void TestHttpServer::answer(const std::string& path, int status, std::string body) {
    Answer a;
    a.status = status;
    a.body = std::move(body);
    answer(path, std::move(a));
}

void TestHttpServer::answerSlowly(const std::string& path, Answer a, Pace pace) {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_[path] = Rule{std::move(a), false, pace};
}

void TestHttpServer::neverAnswer(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_[path] = Rule{Answer{}, true, Pace{0, std::chrono::milliseconds(0)}};
}

std::vector<std::string> TestHttpServer::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int TestHttpServer::closedPort() {
    int port = 0;
    const int s = boundLoopbackSocket(port);
    ::close(s);   // bound but never listening, then released: nobody answers there
    return port;
}

bool TestHttpServer::waitOrStop(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (stop_) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !stop_;
}

void TestHttpServer::serve() {
    while (!stop_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        ++connections_;
        const bool silent = silent_;
        handlers_.emplace_back([this, connection, silent] {
            if (silent) hold(connection);
            else handle(connection);
            ::close(connection);
        });
    }
    for (std::thread& handler : handlers_) handler.join();
}

void TestHttpServer::hold(int) { waitOrStop(kUntilStopped); }

void TestHttpServer::handle(int connection) {
    std::string request;
    char buffer[4096];
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (stop_ || std::chrono::steady_clock::now() > giveUp) return;
        pollfd p{connection, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        request.append(buffer, static_cast<size_t>(n));
    }
    const std::string line = request.substr(0, request.find("\r\n"));
    const size_t first = line.find(' ');
    const size_t second = line.find(' ', first + 1);
    const std::string method = line.substr(0, first);
    const std::string path = line.substr(first + 1, second - first - 1);

    Rule rule{Answer{404, "not here", {}, std::chrono::milliseconds(0), false}, false,
              Pace{0, std::chrono::milliseconds(0)}};
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(method + " " + path);
        const auto found = rules_.find(path);
        if (found != rules_.end()) rule = found->second;
    }
    if (rule.never) {
        hold(connection);
        return;
    }
    const Answer& a = rule.answer;

    std::string head = "HTTP/1.1 " + std::to_string(a.status) + " " + reasonPhrase(a.status) + "\r\n";
    head += "Content-Length: " + std::to_string(a.body.size()) + "\r\nConnection: close\r\n";
    for (const auto& [name, value] : a.headers) head += name + ": " + value + "\r\n";
    head += "\r\n";
    if (!sendAll(connection, head)) return;
    if (a.stall.count() > 0 && !waitOrStop(a.stall)) return;
    if (method == "HEAD") return;
    const std::string body = a.cutShort ? a.body.substr(0, a.body.size() / 2) : a.body;
    if (rule.pace.bytes == 0) {
        sendAll(connection, body);
        return;
    }
    for (size_t at = 0; at < body.size(); at += rule.pace.bytes) {
        if (at > 0 && !waitOrStop(rule.pace.every)) return;
        if (!sendAll(connection, body.substr(at, rule.pace.bytes))) return;
    }
}
