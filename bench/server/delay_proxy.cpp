#include "delay_proxy.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>

namespace bench {
namespace {

constexpr const char* kSocketName = ".s.PGSQL.5432";

sockaddr_un addressOf(const std::filesystem::path& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    return address;
}

}  // namespace

DelayProxy::DelayProxy(std::filesystem::path folder, std::filesystem::path target,
                       std::chrono::milliseconds delay)
    : folder_(std::move(folder)), target_(std::move(target)), delay_(delay) {
    std::filesystem::create_directories(folder_);
    std::filesystem::remove(folder_ / kSocketName);
    const sockaddr_un address = addressOf(folder_ / kSocketName);
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    if (bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0) {
        close(listener_);
        listener_ = -1;
        return;
    }
    acceptor_ = std::thread([this] { accept(); });
}

DelayProxy::~DelayProxy() {
    stopping_ = true;
    if (acceptor_.joinable()) acceptor_.join();
    for (std::thread& t : threads_) t.join();
    if (listener_ >= 0) close(listener_);
}

std::string DelayProxy::through(const std::string& conninfo) const {
    // A later keyword replaces an earlier one.
    return conninfo + " host=" + folder_.string() + " port=5432";
}

void DelayProxy::accept() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0) continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        const int server = socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = addressOf(target_);
        if (client < 0 ||
            connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close(client);
            close(server);
            continue;
        }
        threads_.emplace_back([this, client, server] { forward(client, server, true); });
        threads_.emplace_back([this, client, server] { forward(server, client, false); });
    }
}

void DelayProxy::forward(int from, int to, bool counted) {
    // Each chunk leaves `delay_` after it arrived, so a long answer in many chunks is late by
    // the delay once, as on a network, not once per chunk.
    struct Chunk {
        std::chrono::steady_clock::time_point due;
        std::string bytes;
    };
    std::deque<Chunk> line;
    std::mutex guard;
    std::condition_variable arrived;
    bool ended = false;
    std::thread sender([&] {
        std::unique_lock lock(guard);
        while (true) {
            arrived.wait(lock, [&] { return ended || !line.empty(); });
            if (line.empty()) break;
            Chunk chunk = std::move(line.front());
            line.pop_front();
            lock.unlock();
            std::this_thread::sleep_until(chunk.due);
            const bool sent = write(to, chunk.bytes.data(), chunk.bytes.size()) ==
                              static_cast<ssize_t>(chunk.bytes.size());
            lock.lock();
            if (!sent) break;
        }
        shutdown(to, SHUT_WR);
    });
    char buffer[65536];
    while (!stopping_) {
        pollfd waiting{from, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0) continue;
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got <= 0) break;
        if (counted) ++writes_;
        std::lock_guard lock(guard);
        line.push_back({std::chrono::steady_clock::now() + delay_,
                        std::string(buffer, static_cast<std::size_t>(got))});
        arrived.notify_one();
    }
    {
        std::lock_guard lock(guard);
        ended = true;
        arrived.notify_one();
    }
    sender.join();
}

}  // namespace bench
