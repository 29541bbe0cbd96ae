#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace kestrune::collect {

class Session;
class RateLimiter;

struct ServerOptions {
    std::string address;  // an IP address of this machine; empty: defaultListenAddress()
    int port = 0;         // 0: the session's previous port if free, else any free port
    // Requests one address may make: a burst, then so many a second.
    double burst = 60;
    double perSecond = 10;
};

// The first private-network (RFC 1918) IPv4 address of this machine, or 127.0.0.1 without one.
std::string defaultListenAddress();

// The session's HTTP server. It answers only under the join code (or the short code): the page,
// and the three calls the page makes; everything else is "not found", and nothing on the disk
// is ever served. Bodies over 16 KB, malformed answers, unknown tokens and finished subjects are
// refused without changing anything; each address is rate-limited. No address is kept.
class Server {
  public:
    Server(Session& session, ServerOptions options);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds and starts serving on a thread of its own; throws UserError when it cannot bind.
    void start();
    void stop();
    int port() const { return port_; }
    const std::string& address() const { return address_; }
    std::string joinUrl() const;
    // The address a subject types to reach the page asking for the short code.
    std::string entryUrl() const;

  private:
    void route();

    Session& session_;
    ServerOptions options_;
    std::string address_;
    int port_ = 0;
    int listeningSocket_ = -1;
    std::unique_ptr<httplib::Server> http_;
    std::unique_ptr<RateLimiter> limiter_;
    std::thread thread_;
    std::atomic<bool> serverReturned_ = false;  // the library's serving loop has ended
};

inline constexpr std::size_t kMaxBodyBytes = 16 * 1024;

}  // namespace kestrune::collect
