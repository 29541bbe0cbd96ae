#pragma once

#include <string>

namespace kestrune::testing {

// One HTTP exchange over a fresh connection to 127.0.0.1, from the given loopback source address,
// with the request written byte for byte as given (so that tests can send what no client
// library would).
struct HttpReply {
    int status = 0;  // 0 when the connection failed or closed without a reply
    std::string body;
};
HttpReply rawHttp(int port, const std::string& request, const char* source = "127.0.0.1");
HttpReply httpGet(int port, const std::string& path, const char* source = "127.0.0.1");
HttpReply httpPost(int port, const std::string& path, const std::string& body,
                   const char* source = "127.0.0.1");
// The token of a join reply.
std::string tokenOf(const HttpReply& reply);

}  // namespace kestrune::testing
