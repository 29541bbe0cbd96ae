#include "tests/collect/RawHttp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace kestrune::testing {

HttpReply rawHttp(int port, const std::string& request, const char* source) {
    HttpReply reply;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return reply;
    timeval timeout{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    inet_pton(AF_INET, source, &from.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    if (bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
        connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        close(fd);
        return reply;
    }
    std::size_t sent = 0;
    while (sent < request.size()) {
        const ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    if (text.rfind("HTTP/1.1 ", 0) == 0)
        reply.status = std::atoi(text.c_str() + 9);
    const std::size_t head = text.find("\r\n\r\n");
    if (head != std::string::npos)
        reply.body = text.substr(head + 4);
    return reply;
}

HttpReply httpGet(int port, const std::string& path, const char* source) {
    return rawHttp(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n", source);
}

HttpReply httpPost(int port, const std::string& path, const std::string& body, const char* source) {
    return rawHttp(port,
                   "POST " + path +
                       " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\nContent-Type: text/plain\r\n"
                       "Content-Length: " +
                       std::to_string(body.size()) + "\r\n\r\n" + body,
                   source);
}

std::string tokenOf(const HttpReply& reply) {
    const std::string key = "\"token\":\"";
    const std::size_t at = reply.body.find(key);
    return at == std::string::npos ? std::string() : reply.body.substr(at + key.size(), 32);
}

}  // namespace kestrune::testing
