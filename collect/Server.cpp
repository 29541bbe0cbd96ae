#include "collect/Server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cctype>
#include <chrono>
#include <map>

#include "collect/Codes.h"
#include "collect/Json.h"
#include "collect/Page.h"
#include "collect/RateLimiter.h"
#include "collect/Session.h"
#include "core/Error.h"

namespace kestrune::collect {
namespace {

bool isPrivate(std::uint32_t address) {
    return (address >> 24) == 10 || (address >> 20) == 0xAC1 || (address >> 16) == 0xC0A8;
}

void reply(httplib::Response& res, int status, const std::string& json) {
    res.status = status;
    res.set_header("Cache-Control", "no-store");
    res.set_content(json, "application/json; charset=utf-8");
}

void refuse(httplib::Response& res, int status, std::string_view message) {
    reply(res, status, "{\"error\":" + jsonString(message) + "}");
}

// A body "key=value&key=value" with exactly the keys asked for, each once, values of letters
// and digits only; anything else is malformed.
std::optional<std::map<std::string, std::string>> fields(const std::string& body,
                                                         std::initializer_list<std::string_view> keys) {
    std::map<std::string, std::string> found;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        const std::string item = body.substr(start, end - start);
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos)
            return std::nullopt;
        const std::string key = item.substr(0, equals);
        const std::string value = item.substr(equals + 1);
        if (std::find(keys.begin(), keys.end(), key) == keys.end() || found.count(key) || value.empty() ||
            value.size() > 64)
            return std::nullopt;
        for (char c : value) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                return std::nullopt;
        }
        found[key] = value;
        start = end + 1;
    }
    if (found.size() != keys.size())
        return std::nullopt;
    return found;
}

std::optional<int> smallNumber(const std::string& text) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string defaultListenAddress() {
    std::string found = "127.0.0.1";
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return found;
    for (ifaddrs* item = list; item; item = item->ifa_next) {
        if (!item->ifa_addr || item->ifa_addr->sa_family != AF_INET)
            continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(item->ifa_addr);
        if (isPrivate(ntohl(in->sin_addr.s_addr))) {
            char text[INET_ADDRSTRLEN] = {};
            inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
            found = text;
            break;
        }
    }
    freeifaddrs(list);
    return found;
}

Server::Server(Session& session, ServerOptions options)
    : session_(session),
      options_(std::move(options)),
      http_(std::make_unique<httplib::Server>()),
      limiter_(std::make_unique<RateLimiter>(options_.burst, options_.perSecond)) {
    address_ = options_.address.empty() ? defaultListenAddress() : options_.address;
}

Server::~Server() {
    stop();
}

std::string Server::entryUrl() const {
    const std::string host = address_.find(':') != std::string::npos ? "[" + address_ + "]" : address_;
    return "http://" + host + ":" + std::to_string(port_) + "/";
}

std::string Server::joinUrl() const {
    return entryUrl() + session_.joinCode();
}

void Server::start() {
    in6_addr probe{};
    if (inet_pton(AF_INET, address_.c_str(), &probe) != 1 &&
        inet_pton(AF_INET6, address_.c_str(), &probe) != 1)
        throw UserError("待ち受けるアドレス「" + address_ + "」は IP アドレスではありません。");
    route();
    http_->set_payload_max_length(kMaxBodyBytes);
    http_->set_read_timeout(5, 0);
    http_->set_write_timeout(5, 0);
    http_->set_keep_alive_timeout(2);
    http_->set_tcp_nodelay(true);
    http_->new_task_queue = [] { return new httplib::ThreadPool(64); };
    if (options_.address.find(':') != std::string::npos)
        http_->set_address_family(AF_INET6);
    // The library listens with a backlog of 5: a class joining at once would see connections
    // dropped and retried a second later. The listening socket is kept here to raise it.
    http_->set_socket_options([this](int socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listeningSocket_ = socket;
    });
    bool bound = false;
    if (options_.port != 0) {
        bound = http_->bind_to_port(address_, options_.port);
        port_ = options_.port;
    } else {
        if (session_.previousPort() > 0) {
            bound = http_->bind_to_port(address_, session_.previousPort());
            port_ = session_.previousPort();
        }
        if (!bound) {
            port_ = http_->bind_to_any_port(address_);
            bound = port_ > 0;
        }
    }
    if (bound && listeningSocket_ >= 0)
        ::listen(listeningSocket_, SOMAXCONN);
    if (!bound)
        throw UserError(
            "アドレス " + address_ + " のポート " + std::to_string(options_.port) +
            " で待ち受けられません。ほかのプログラムが使っているか、このコンピューターのアドレスでは"
            "ありません。");
    session_.recordPort(port_);
    serverReturned_ = false;
    thread_ = std::thread([this] {
        http_->listen_after_bind();
        serverReturned_ = true;
    });
    // The library's stop() does nothing until its loop runs: a stop coming earlier (Ctrl+C just
    // after the start) would be lost and leave the program waiting for ever. So the start ends
    // only once the loop runs, or has already ended.
    while (!serverReturned_ && !http_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void Server::stop() {
    if (thread_.joinable()) {
        http_->stop();
        thread_.join();
    }
}

void Server::route() {
    const std::string joinCode = session_.joinCode();
    const std::string shortCode = session_.shortCode();
    // Everything passes here first: the rate limit, then the code. Only a request under the code
    // reaches the routes below.
    http_->set_pre_routing_handler(
        [this, joinCode, shortCode](const httplib::Request& req, httplib::Response& res) {
            if (!limiter_->allow(req.remote_addr)) {
                res.set_header("Retry-After", "2");
                refuse(res, 429, "少し待ってからもう一度送ってください。");
                return httplib::Server::HandlerResponse::Handled;
            }
            const std::string& path = req.path;
            // The page asking for the short code, and its check, are the only routes without a code.
            if ((path == "/" && req.method == "GET") || (path == "/enter" && req.method == "POST"))
                return httplib::Server::HandlerResponse::Unhandled;
            const std::size_t end = path.find('/', 1);
            std::string code = path.substr(1, end == std::string::npos ? std::string::npos : end - 1);
            std::string upper = code;
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (path.empty() || path[0] != '/' || (code != joinCode && upper != shortCode)) {
                refuse(res, 404, "見つかりません。");
                return httplib::Server::HandlerResponse::Handled;
            }
            return httplib::Server::HandlerResponse::Unhandled;
        });
    http_->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty())
            refuse(res, res.status,
                   res.status == 413 ? "送られたデータが大きすぎます。" : "受け付けられません。");
    });
    http_->set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        refuse(res, 500, "回答を記録できませんでした。もう一度送ってください。");
    });
    const std::string codes = "/([A-Za-z0-9]+)";
    const std::string page = collectPage("{\"title\":" + jsonString(session_.settings().series) +
                                         ",\"instructions\":" + jsonString(session_.instructions()) + "}");
    http_->Get(codes + "/?", [page](const httplib::Request&, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_header("Content-Security-Policy",
                       "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                       "connect-src 'self'; img-src data:; base-uri 'none'; form-action 'none'");
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Referrer-Policy", "no-referrer");
        res.set_content(page, "text/html; charset=utf-8");
    });
    const std::string entry = codeEntryPage();
    http_->Get("/", [entry](const httplib::Request&, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_header("Content-Security-Policy",
                       "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                       "connect-src 'self'; base-uri 'none'; form-action 'none'");
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Referrer-Policy", "no-referrer");
        res.set_content(entry, "text/html; charset=utf-8");
    });
    http_->Post("/enter", [joinCode, shortCode](const httplib::Request& req, httplib::Response& res) {
        const auto body = fields(req.body, {"code"});
        std::string typed = body ? body->at("code") : std::string();
        for (char& c : typed)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (typed != shortCode)
            return refuse(res, 404, "参加コードが違います。");
        reply(res, 200, "{\"path\":\"/" + joinCode + "\"}");
    });
    http_->Post(codes + "/join", [this](const httplib::Request& req, httplib::Response& res) {
        if (!req.body.empty())
            return refuse(res, 400, "受け付けられません。");
        std::string token;
        if (session_.join(token) == JoinOutcome::SessionFull)
            return refuse(res, 410, "この調査の受付は終わりました。");
        reply(res, 200, "{\"token\":\"" + token + "\"}");
    });
    http_->Post(codes + "/state", [this](const httplib::Request& req, httplib::Response& res) {
        const auto body = fields(req.body, {"token"});
        if (!body || !isTokenText(body->at("token")))
            return refuse(res, 400, "受け付けられません。");
        const std::optional<std::string> state = session_.stateJson(body->at("token"));
        if (!state)
            return refuse(res, 403, "この回答者は登録されていません。最初からやり直してください。");
        reply(res, 200, *state);
    });
    http_->Post(codes + "/answer", [this](const httplib::Request& req, httplib::Response& res) {
        const auto body = fields(req.body, {"token", "pair", "values"});
        const std::optional<int> pair = body ? smallNumber(body->at("pair")) : std::nullopt;
        if (!body || !pair || !isTokenText(body->at("token")))
            return refuse(res, 400, "受け付けられません。");
        switch (session_.answer(body->at("token"), *pair, body->at("values"))) {
            case AnswerOutcome::Accepted: {
                const bool finished = session_.isFinished(body->at("token"));
                return reply(res, 200,
                             std::string("{\"ok\":true,\"finished\":") + (finished ? "true" : "false") + "}");
            }
            case AnswerOutcome::UnknownSubject:
                return refuse(res, 403, "この回答者は登録されていません。最初からやり直してください。");
            case AnswerOutcome::Finished:
                return refuse(res, 409, "回答はすでに終わっています。");
            case AnswerOutcome::Malformed:
                return refuse(res, 400, "受け付けられません。");
        }
    });
}

}  // namespace kestrune::collect
