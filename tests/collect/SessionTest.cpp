// The collection session without its server: the journal keeps every acknowledged answer across a
// kill, the data file holds the finished subjects in finishing order, refusals change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>

#include "collect/Codes.h"
#include "collect/Session.h"
#include "core/Error.h"
#include "core/Response.h"
#include "tests/collect/TastingSession.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using namespace kestrune;
using namespace kestrune::collect;

namespace {

std::vector<int> displayOrder(const Session& session, const std::string& token) {
    const std::string state = *session.stateJson(token);
    std::vector<int> order;
    static const std::regex index("\"index\":([0-9]+)");
    for (auto it = std::sregex_iterator(state.begin(), state.end(), index); it != std::sregex_iterator();
         ++it)
        order.push_back(std::stoi((*it)[1]));
    return order;
}

}  // namespace

TEST(CollectSession, JournalResumesEveryAcknowledgedAnswerAndTheFinishingOrder) {
    TempDisk disk;
    const SessionSettings settings = kestrune::testing::tastingSession(disk);
    std::string first, second, joinCode, shortCode;
    {
        Session session(settings);
        EXPECT_FALSE(session.resumed());
        joinCode = session.joinCode();
        shortCode = session.shortCode();
        ASSERT_EQ(session.join(first), JoinOutcome::Joined);
        ASSERT_EQ(session.join(second), JoinOutcome::Joined);
        EXPECT_EQ(session.answer(first, 0, "01"), AnswerOutcome::Accepted);
        EXPECT_EQ(session.answer(first, 1, "10"), AnswerOutcome::Accepted);
        EXPECT_EQ(session.answer(second, 2, "11"), AnswerOutcome::Accepted);
        EXPECT_EQ(session.answer(second, 0, "00"), AnswerOutcome::Accepted);
        EXPECT_EQ(session.answer(second, 1, "01"), AnswerOutcome::Accepted);
        EXPECT_TRUE(session.isFinished(second));
        session.recordPort(43210);
        // The program dies here: no data file, only the journal.
    }
    EXPECT_FALSE(std::filesystem::exists(disk.path("female/味/試飲会.dat")));
    const std::filesystem::path journal = disk.path("female/味/試飲会.journal");
    ASSERT_TRUE(std::filesystem::exists(journal));
    // A line the kill cut short was never acknowledged.
    { std::ofstream(journal, std::ios::app) << "answer " << first << " 17"; }

    Session session(settings);
    EXPECT_TRUE(session.resumed());
    EXPECT_EQ(session.joinCode(), joinCode);
    EXPECT_EQ(session.shortCode(), shortCode);
    EXPECT_EQ(session.previousPort(), 43210);
    const std::vector<SubjectProgress> progress = session.progress();
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0].answeredPairs, 2);
    EXPECT_FALSE(progress[0].finished);
    EXPECT_TRUE(progress[1].finished);
    EXPECT_EQ(progress[1].finishPosition, 1);
    EXPECT_NE(session.stateJson(first)->find("\"answers\":\"10\""), std::string::npos);
    EXPECT_EQ(session.answer(first, 2, "00"), AnswerOutcome::Accepted);
    EXPECT_EQ(session.finishedCount(), 2);

    EXPECT_EQ(session.writeDataFile(false), 2);
    // The second subject finished first, so it comes first.
    EXPECT_EQ(readBytes(disk.path("female/味/試飲会.dat")),
              "2,3,2\r\n0\r\n0\r\n0\r\n1\r\n1\r\n1\r\n"
              "0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n");
    EXPECT_FALSE(std::filesystem::exists(journal));
}

TEST(CollectSession, UnfinishedSubjectsAreKeptOnlyOnRequestWithTheirGapsUnanswered) {
    TempDisk disk;
    SessionSettings settings = kestrune::testing::tastingSession(disk);
    settings.expectedSubjects = 1;
    Session session(settings);
    std::string done, midway, idle;
    session.join(done);
    session.join(midway);
    session.join(idle);
    session.answer(midway, 1, "11");
    for (int pair = 0; pair < 3; ++pair)
        session.answer(done, pair, "10");
    EXPECT_TRUE(session.complete());
    std::string late;
    EXPECT_EQ(session.join(late), JoinOutcome::SessionFull);
    EXPECT_EQ(session.unfinishedWithAnswers(), 1);

    const TResponseMatrix finished = session.responses(false);
    EXPECT_EQ(finished.subjects, 1);
    const TResponseMatrix kept = session.responses(true);
    ASSERT_EQ(kept.subjects, 2);
    EXPECT_EQ(kept.answers, (std::vector<std::int32_t>{1, 0, 1, 0, 1, 0, -1, -1, 1, 1, -1, -1}));
    EXPECT_EQ(session.writeDataFile(true), 2);
    const TResponseMatrix read = ReadResponseFile(disk.path("female/味/試飲会.dat"));
    EXPECT_EQ(read.answers, kept.answers);
}

TEST(CollectSession, RefusedSubmissionsChangeNothing) {
    TempDisk disk;
    Session session(kestrune::testing::tastingSession(disk));
    std::string token;
    session.join(token);
    const std::filesystem::path journal = session.journalPath();
    const std::string before = readBytes(journal);
    EXPECT_EQ(session.answer(newToken(), 0, "01"), AnswerOutcome::UnknownSubject);
    for (const char* values : {"", "0", "010", "0a", "2 ", "-1", "01\n"})
        EXPECT_EQ(session.answer(token, 0, values), AnswerOutcome::Malformed) << values;
    EXPECT_EQ(session.answer(token, 3, "01"), AnswerOutcome::Malformed);
    EXPECT_EQ(session.answer(token, -1, "01"), AnswerOutcome::Malformed);
    EXPECT_EQ(readBytes(journal), before);
    EXPECT_EQ(session.progress().front().answeredPairs, 0);

    for (int pair = 0; pair < 3; ++pair)
        EXPECT_EQ(session.answer(token, pair, "01"), AnswerOutcome::Accepted);
    const std::string finished = readBytes(journal);
    EXPECT_EQ(session.answer(token, 0, "10"), AnswerOutcome::Finished);
    EXPECT_EQ(readBytes(journal), finished);
    EXPECT_EQ(session.responses(false).answers, (std::vector<std::int32_t>{0, 1, 0, 1, 0, 1}));
}

TEST(CollectSession, ShuffledPairsAreShownInAnOrderPerSubjectAndStoredInTheSeriesOrder) {
    TempDisk disk;
    disk.makeSeries("色", 6, {"明るい"});
    SessionSettings settings;
    settings.disk = disk.disk();
    settings.series = "色";
    settings.file = "教室";
    settings.shuffle = true;
    settings.sampleCodes = {"P", "Q", "R", "S", "T", "U"};
    Session session(settings);
    std::set<std::vector<int>> orders;
    for (int s = 0; s < 4; ++s) {
        std::string token;
        session.join(token);
        const std::vector<int> order = displayOrder(session, token);
        ASSERT_EQ(order.size(), 15u);
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < 15; ++i)
            EXPECT_EQ(sorted[static_cast<std::size_t>(i)], i);
        orders.insert(order);
        // Answer B exactly on the pairs whose index is odd, in the order shown.
        for (int pair : order)
            session.answer(token, pair, pair % 2 ? "1" : "0");
    }
    EXPECT_GT(orders.size(), 1u);
    const TResponseMatrix matrix = session.responses(false);
    ASSERT_EQ(matrix.subjects, 4);
    for (int s = 1; s <= 4; ++s) {
        for (int p = 1; p <= 15; ++p)
            EXPECT_EQ(matrix.at(s, p, 1), (p - 1) % 2);
    }
    EXPECT_EQ(session.panelLabel(3), "R");
}

TEST(CollectSession, CodesAndTokensAreRandomAndReadable) {
    std::set<std::string> tokens;
    for (int i = 0; i < 50; ++i) {
        const std::string token = newToken();
        EXPECT_TRUE(isTokenText(token));
        tokens.insert(token);
        const std::string code = newCode(kShortCodeLength);
        EXPECT_TRUE(isCodeText(code, kShortCodeLength)) << code;
        for (char c : std::string("0O1IL5S2Z8B"))
            EXPECT_EQ(code.find(c), std::string::npos);
    }
    EXPECT_EQ(tokens.size(), 50u);
    EXPECT_FALSE(isTokenText("../../etc/passwd"));
    EXPECT_FALSE(isTokenText(std::string(32, 'G')));
}

TEST(CollectSession, RefusesSampleCodesThatDoNotMatchThePanelsAndABrokenJournal) {
    TempDisk disk;
    SessionSettings settings = kestrune::testing::tastingSession(disk);
    settings.sampleCodes = {"P", "Q"};
    EXPECT_THROW(Session{settings}, UserError);
    settings.sampleCodes = {};
    settings.file = "../外";
    EXPECT_THROW(Session{settings}, UserError);
    settings.file = "壊れた";
    disk.writeBytes("female/味/壊れた.journal", "kestrune-collect-journal 1 AAAA\nanswer x\n");
    EXPECT_THROW(Session{settings}, UserError);
}
