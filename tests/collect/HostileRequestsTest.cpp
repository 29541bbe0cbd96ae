// The server under hostile requests on 127.0.0.1: each is refused, nothing is changed, and the
// server goes on serving the others.
#include <gtest/gtest.h>

#include "collect/Codes.h"
#include "collect/Server.h"
#include "collect/Session.h"
#include "tests/collect/RawHttp.h"
#include "tests/collect/TastingSession.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::httpGet;
using kestrune::testing::httpPost;
using kestrune::testing::rawHttp;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using kestrune::testing::tokenOf;
using namespace kestrune;
using namespace kestrune::collect;

namespace {

std::string progressText(const Session& session) {
    std::string text;
    for (const SubjectProgress& s : session.progress())
        text +=
            std::to_string(s.number) + ":" + std::to_string(s.answeredPairs) + (s.finished ? "F" : "") + " ";
    return text;
}

}  // namespace

TEST(CollectServer, HostileRequestsAreRefusedAndChangeNothing) {
    TempDisk disk;
    disk.writeBytes("secret.txt", "do not serve");
    Session session(kestrune::testing::tastingSession(disk, TSexGroup::Mix));
    Server server(session, {.address = "127.0.0.1", .port = 0});
    server.start();
    const int port = server.port();
    const std::string code = "/" + session.joinCode();
    EXPECT_EQ(server.joinUrl(), "http://127.0.0.1:" + std::to_string(port) + code);

    const auto page = httpGet(port, code);
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("<html lang=\"ja\">"), std::string::npos);
    EXPECT_NE(page.body.find("味"), std::string::npos);
    // The short code, typed in any case, reaches the same page.
    std::string lower = session.shortCode();
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(httpGet(port, "/" + lower).status, 200);

    const std::string token = tokenOf(httpPost(port, code + "/join", ""));
    ASSERT_TRUE(isTokenText(token));
    ASSERT_EQ(httpPost(port, code + "/answer", "token=" + token + "&pair=1&values=10").status, 200);
    const std::string journal = readBytes(session.journalPath());
    const std::string progress = progressText(session);

    const std::string tooLarge = "token=" + token + "&pair=0&values=" + std::string(17 * 1024, '0');
    struct Case {
        std::string name;
        std::string request;
        int status;
    };
    auto post = [](const std::string& path, const std::string& body) {
        return "POST " + path +
               " HTTP/1.1\r\nHost: x\r\nConnection: close\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\n\r\n" + body;
    };
    auto get = [](const std::string& path) {
        return "GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    };
    const std::vector<Case> cases = {
        {"no code", get("/secret.txt"), 404},
        {"no code answering", post("/answer", "token=" + token + "&pair=0&values=01"), 404},
        {"posting to the entry page", post("/", "code=" + session.shortCode()), 404},
        {"reading the code check", get("/enter"), 404},
        {"wrong short code", post("/enter", "code=AAAAAA"), 404},
        {"short code with a traversal", post("/enter", "code=../secret.txt"), 404},
        {"wrong code", get("/AAAAAAAAAAAAAAAAAAAA"), 404},
        {"wrong code answering", post("/AAAAAAAAAAAAAAAAAAAA/answer", "token=" + token + "&pair=0&values=01"),
         404},
        {"traversal", get(code + "/../secret.txt"), 404},
        {"traversal before the code", get("/../" + session.joinCode() + "/../secret.txt"), 404},
        {"encoded traversal", get(code + "/%2e%2e/%2e%2e/secret.txt"), 404},
        {"other route", get(code + "/state"), 404},
        {"too large", post(code + "/answer", tooLarge), 413},
        {"no fields", post(code + "/answer", ""), 400},
        {"garbage", post(code + "/answer", "\x01\x02\xff"), 400},
        {"letters in the answer", post(code + "/answer", "token=" + token + "&pair=0&values=0x"), 400},
        {"too few answers", post(code + "/answer", "token=" + token + "&pair=0&values=0"), 400},
        {"too many answers", post(code + "/answer", "token=" + token + "&pair=0&values=011"), 400},
        {"pair beyond the series", post(code + "/answer", "token=" + token + "&pair=3&values=01"), 400},
        {"negative pair", post(code + "/answer", "token=" + token + "&pair=-1&values=01"), 400},
        {"twice the token",
         post(code + "/answer", "token=" + token + "&token=" + token + "&pair=0&values=01"), 400},
        {"extra field", post(code + "/answer", "token=" + token + "&pair=0&values=01&x=1"), 400},
        {"token not hexadecimal",
         post(code + "/answer", "token=" + std::string(32, 'z') + "&pair=0&values=01"), 400},
        {"foreign token", post(code + "/answer", "token=" + newToken() + "&pair=0&values=01"), 403},
        {"foreign token state", post(code + "/state", "token=" + newToken()), 403},
        {"join with a body", post(code + "/join", "token=" + token), 400},
    };
    for (const Case& c : cases) {
        const auto reply = rawHttp(port, c.request);
        EXPECT_EQ(reply.status, c.status) << c.name << ": " << reply.body;
        EXPECT_EQ(reply.body.find("do not serve"), std::string::npos) << c.name;
        EXPECT_EQ(readBytes(session.journalPath()), journal) << c.name;
        EXPECT_EQ(progressText(session), progress) << c.name;
    }

    // The subject finishes; a replayed answer is then refused and changes nothing.
    const std::string again = "token=" + token + "&pair=2&values=11";
    EXPECT_EQ(httpPost(port, code + "/answer", "token=" + token + "&pair=0&values=00").status, 200);
    EXPECT_EQ(httpPost(port, code + "/answer", again).status, 200);
    EXPECT_TRUE(session.isFinished(token));
    const std::string finished = readBytes(session.journalPath());
    EXPECT_EQ(httpPost(port, code + "/answer", again).status, 409);
    EXPECT_EQ(httpPost(port, code + "/answer", "token=" + token + "&pair=1&values=00").status, 409);
    EXPECT_EQ(readBytes(session.journalPath()), finished);
    EXPECT_EQ(session.responses(false).answers, (std::vector<std::int32_t>{0, 0, 1, 0, 1, 1}));
    server.stop();
    EXPECT_EQ(httpGet(port, code).status, 0);
}

TEST(CollectServer, AFloodFromOneAddressIsLimitedWhileOthersAreServed) {
    TempDisk disk;
    Session session(kestrune::testing::tastingSession(disk, TSexGroup::Mix));
    Server server(session, {.address = "127.0.0.1", .port = 0, .burst = 20, .perSecond = 2});
    server.start();
    const int port = server.port();
    const std::string code = "/" + session.joinCode();
    const std::string token = tokenOf(httpPost(port, code + "/join", "", "127.0.0.1"));
    ASSERT_TRUE(isTokenText(token));

    int served = 0, limited = 0;
    for (int i = 0; i < 150; ++i) {
        const int status = httpPost(port, code + "/join", "", "127.0.0.2").status;
        served += status == 200;
        limited += status == 429;
    }
    EXPECT_GE(limited, 100);
    EXPECT_LE(served, 50);
    // Only the joins let through made subjects; the limited ones made none.
    EXPECT_EQ(static_cast<int>(session.progress().size()), 1 + served);
    // Another address is served as before.
    EXPECT_EQ(httpPost(port, code + "/answer", "token=" + token + "&pair=0&values=01", "127.0.0.1").status,
              200);
    EXPECT_EQ(httpPost(port, code + "/state", "token=" + token, "127.0.0.3").status, 200);
    EXPECT_EQ(httpPost(port, code + "/join", "", "127.0.0.2").status, 429);
}

TEST(CollectServer, TheShortCodeTypedOnTheRootPageLeadsToTheSessionAndAWrongOneRevealsNothing) {
    TempDisk disk;
    Session session(kestrune::testing::tastingSession(disk, TSexGroup::Mix));
    Server server(session, {.address = "127.0.0.1", .port = 0, .burst = 20, .perSecond = 2});
    server.start();
    const int port = server.port();
    EXPECT_EQ(server.entryUrl(), "http://127.0.0.1:" + std::to_string(port) + "/");

    const auto page = httpGet(port, "/");
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("<label for=\"code\">参加コード</label>"), std::string::npos);
    EXPECT_NE(page.body.find(">参加</button>"), std::string::npos);
    EXPECT_NE(page.body.find("role=\"alert\""), std::string::npos);
    EXPECT_EQ(page.body.find(session.joinCode()), std::string::npos);
    EXPECT_EQ(page.body.find(session.shortCode()), std::string::npos);
    EXPECT_EQ(page.body.find("http"), std::string::npos) << "nothing is fetched from elsewhere";

    std::string lower = session.shortCode();
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto right = httpPost(port, "/enter", "code=" + lower);
    EXPECT_EQ(right.status, 200);
    EXPECT_EQ(right.body, "{\"path\":\"/" + session.joinCode() + "\"}");
    const auto wrong = httpPost(port, "/enter", "code=AAAAAA");
    EXPECT_EQ(wrong.status, 404);
    EXPECT_EQ(wrong.body.find(session.joinCode()), std::string::npos);
    EXPECT_EQ(wrong.body.find(session.shortCode()), std::string::npos);

    // Guessing is rate-limited like every other request; others are still served.
    int limited = 0, found = 0;
    for (int i = 0; i < 60; ++i) {
        const auto reply = httpPost(port, "/enter", "code=" + newCode(kShortCodeLength), "127.0.0.4");
        limited += reply.status == 429;
        found += reply.status == 200 && reply.body.find(session.joinCode()) != std::string::npos;
    }
    EXPECT_GE(limited, 30);
    EXPECT_LE(found, 1);
    EXPECT_EQ(httpPost(port, "/enter", "code=" + session.shortCode(), "127.0.0.5").status, 200);
    EXPECT_TRUE(session.progress().empty());
}

// A stop right after the start (Ctrl+C as the session opens) ends the server: the library
// ignores a stop that comes before its loop runs, which once left the program hanging.
TEST(CollectServer, AStopRightAfterTheStartEndsTheServer) {
    TempDisk disk;
    Session session(kestrune::testing::tastingSession(disk));
    for (int round = 0; round < 200; ++round) {
        Server server(session, {.address = "127.0.0.1", .port = 0});
        server.start();
        const int port = server.port();
        server.stop();
        // Nothing listens there any more.
        EXPECT_EQ(httpGet(port, "/").status, 0) << "round " << round;
    }
}
