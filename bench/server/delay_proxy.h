// A delay line between the program and the throw-away server: a Unix socket of our own that
// forwards every chunk each way after `delay`, as a server across a slow network answers, and
// counts the program's writes to the server (each one a round trip of the protocol).
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace bench {

class DelayProxy {
  public:
    // Listens in `folder` as a server on port 5432 there would; forwards to the server socket
    // `target`.
    DelayProxy(std::filesystem::path folder, std::filesystem::path target,
               std::chrono::milliseconds delay);
    ~DelayProxy();
    DelayProxy(const DelayProxy&) = delete;
    DelayProxy& operator=(const DelayProxy&) = delete;

    bool listening() const { return listener_ >= 0; }
    // The connection string `conninfo` pointed at the proxy.
    std::string through(const std::string& conninfo) const;
    long long writes() const { return writes_; }

  private:
    void accept();
    void forward(int from, int to, bool counted);

    std::filesystem::path folder_, target_;
    std::chrono::milliseconds delay_;
    int listener_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<long long> writes_{0};
    std::thread acceptor_;
    std::vector<std::thread> threads_;  // touched by the acceptor only until it ends
};

}  // namespace bench
