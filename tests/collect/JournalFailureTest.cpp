// A journal whose flush to the disk fails: the answer does not count, the page is told to send it
// again, and once the disk recovers the session goes on with exactly the acknowledged answers.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "collect/Journal.h"
#include "collect/Session.h"
#include "core/Error.h"
#include "tests/collect/TastingSession.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using namespace kestrune;
using namespace kestrune::collect;

namespace {

int refusingSync(int) {
    return -1;
}

// Every third flush fails, after a pause in which other answers pile up behind it.
std::atomic<int> syncCalls{0};
int flakySync(int descriptor) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (++syncCalls % 3 == 0)
        return -1;
    return ::fdatasync(descriptor);
}

// Puts the real flush back even when a check fails midway.
struct FailingDisk {
    explicit FailingDisk(Journal::SyncFunction sync = &refusingSync) { Journal::setSyncFunction(sync); }
    ~FailingDisk() { Journal::setSyncFunction(nullptr); }
};

// The journal's answer lines as "token pair values".
std::multiset<std::string> answersOnDisk(const std::filesystem::path& journal) {
    std::multiset<std::string> answers;
    std::istringstream in(readBytes(journal));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind, token, at, pair, values;
        if (words >> kind >> token >> at >> pair >> values && kind == "answer")
            answers.insert(token + " " + pair + " " + values);
    }
    return answers;
}

}  // namespace

TEST(CollectJournalFailure, AFailedFlushLeavesTheSessionAsItWasAndOnlyAcknowledgedAnswersAreOnDisk) {
    TempDisk disk;
    const SessionSettings settings = kestrune::testing::tastingSession(disk);
    std::multiset<std::string> acknowledged;
    std::string token;
    {
        Session session(settings);
        ASSERT_EQ(session.join(token), JoinOutcome::Joined);
        ASSERT_EQ(session.answer(token, 0, "01"), AnswerOutcome::Accepted);
        acknowledged.insert(token + " 0 01");
        ASSERT_EQ(session.answer(token, 1, "10"), AnswerOutcome::Accepted);
        acknowledged.insert(token + " 1 10");
        const std::string state = *session.stateJson(token);
        const std::string journal = readBytes(session.journalPath());
        {
            FailingDisk failing;
            // The last pair would finish the subject: refused, and the subject is not finished.
            EXPECT_THROW(session.answer(token, 2, "11"), UserError);
            EXPECT_THROW(session.answer(token, 0, "10"), UserError);
            std::string other;
            EXPECT_THROW(session.join(other), UserError);
            EXPECT_EQ(*session.stateJson(token), state);
            EXPECT_FALSE(session.isFinished(token));
            EXPECT_EQ(session.progress().size(), 1u);
            EXPECT_EQ(session.progress()[0].answeredPairs, 2);
            EXPECT_EQ(session.finishedCount(), 0);
            EXPECT_EQ(readBytes(session.journalPath()), journal);
        }
        // The disk is back: the page's resend is taken, and the subject finishes once.
        ASSERT_EQ(session.answer(token, 2, "11"), AnswerOutcome::Accepted);
        acknowledged.insert(token + " 2 11");
        EXPECT_TRUE(session.isFinished(token));
        EXPECT_EQ(session.finishedCount(), 1);
        EXPECT_EQ(answersOnDisk(session.journalPath()), acknowledged);
        {
            FailingDisk failing;
            std::string other;
            EXPECT_THROW(session.join(other), UserError);
            EXPECT_EQ(session.progress().size(), 1u);
        }
    }
    // Started again, the session holds exactly the acknowledged answers.
    Session resumed(settings);
    EXPECT_TRUE(resumed.resumed());
    EXPECT_EQ(resumed.progress().size(), 1u);
    EXPECT_TRUE(resumed.isFinished(token));
    EXPECT_EQ(resumed.responses(false).answers, (std::vector<std::int32_t>{0, 1, 1, 0, 1, 1}));
    EXPECT_EQ(answersOnDisk(resumed.journalPath()), acknowledged);
}

TEST(CollectJournalFailure, SubjectsAnsweringTogetherThroughFailingFlushesKeepExactlyTheAcknowledgedAnswers) {
    TempDisk disk;
    const SessionSettings settings = kestrune::testing::tastingSession(disk);
    std::multiset<std::string> acknowledged;
    std::mutex acknowledgedMutex;
    int refused = 0;
    {
        Session session(settings);
        FailingDisk flaky(&flakySync);
        std::vector<std::thread> subjects;
        for (int s = 0; s < 8; ++s) {
            subjects.emplace_back([&, s] {
                std::string token;
                // Each request is sent again until it is acknowledged, as the page does.
                for (int attempt = 0; attempt < 100 && token.empty(); ++attempt) {
                    try {
                        session.join(token);
                    } catch (const UserError&) {
                        token.clear();
                        std::lock_guard lock(acknowledgedMutex);
                        ++refused;
                    }
                }
                for (int pair = 0; pair < 3; ++pair) {
                    const std::string values = std::string(1, "01"[(s + pair) % 2]) + "1";
                    for (int attempt = 0; attempt < 100; ++attempt) {
                        try {
                            if (session.answer(token, pair, values) == AnswerOutcome::Accepted) {
                                std::lock_guard lock(acknowledgedMutex);
                                acknowledged.insert(token + " " + std::to_string(pair) + " " + values);
                            }
                            break;
                        } catch (const UserError&) {
                            std::lock_guard lock(acknowledgedMutex);
                            ++refused;
                        }
                    }
                }
            });
        }
        for (std::thread& t : subjects)
            t.join();
        EXPECT_GT(refused, 0);
        EXPECT_EQ(acknowledged.size(), 24u);
        EXPECT_EQ(session.progress().size(), 8u);
        EXPECT_EQ(session.finishedCount(), 8);
        EXPECT_EQ(answersOnDisk(session.journalPath()), acknowledged);
    }
    Session resumed(settings);
    EXPECT_EQ(resumed.progress().size(), 8u);
    EXPECT_EQ(resumed.finishedCount(), 8);
    EXPECT_EQ(answersOnDisk(resumed.journalPath()), acknowledged);
}
