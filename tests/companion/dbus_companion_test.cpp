// SPDX-License-Identifier: GPL-3.0-or-later
// DBusCompanion against the built zorvat-companion, on the session bus that the test command
// provides (dbus-run-session).
#include "companion_process.h"
#include "dbus_companion.h"
#include "qt_printers.h"
#include "qt_timer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

using namespace zorvat;

namespace {

struct Received {
    int msg;
    int wParam;
    int lParam;
    bool operator==(const Received&) const = default;
};

void PrintTo(const Received& r, std::ostream* os) {
    *os << '{' << r.msg << ' ' << r.wParam << ' ' << r.lParam << '}';
}

// Records the holds; DBusCompanion creates no timers.
class HoldRecorder final : public TimerFactory {
public:
    std::unique_ptr<Timer> create(int, std::function<void()>) override {
        ADD_FAILURE() << "unexpected timer";
        return nullptr;
    }
    void setHeld(bool on) override {
        held = on;
        changes.push_back(on);
    }
    bool isHeld() const override { return held; }

    bool held = false;
    std::vector<bool> changes;
};

class DBusCompanionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isConnected()) << "needs a session bus: run under dbus-run-session";
    }

    // Our side, recording what the companion sends.
    std::unique_ptr<DBusCompanion> link(TimerFactory& factory) {
        auto companion = std::make_unique<DBusCompanion>(bus, factory);
        companion->onMessage = [this](int msg, std::int32_t w, std::int32_t l) {
            received.push_back({msg, w, l});
        };
        return companion;
    }
    static bool appears(Companion& companion) {
        return QTest::qWaitFor([&] { return companion.windowExists(); }, kWaitMs);
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    QtTimerFactory timers;
    std::vector<Received> received;
};

TEST_F(DBusCompanionTest, WindowExistsFollowsTheCompanionAndItGetsOurMessagesInOrder) {
    auto companion = link(timers);
    EXPECT_FALSE(companion->windowExists());

    CompanionProcess tool({"--exit-after", "3"});
    ASSERT_TRUE(appears(*companion));
    companion->send(1495, 1, 1000);
    companion->send(1490, -5, std::numeric_limits<std::int32_t>::max());
    companion->sendIfPresent(1494, 0, std::numeric_limits<std::int32_t>::min());

    EXPECT_EQ(tool.lines(3),
              (QStringList{"1495 1 1000", "1490 -5 2147483647", "1494 0 -2147483648"}));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !companion->windowExists(); }, kWaitMs));
    EXPECT_TRUE(received.empty());
}

struct SendCase {
    const char* name;
    QStringList args;
    std::vector<Received> expected;
};

class CompanionSendsTest : public DBusCompanionTest,
                           public ::testing::WithParamInterface<SendCase> {};

TEST_P(CompanionSendsTest, MessagesReachOnMessageInOrder) {
    auto companion = link(timers);
    CompanionProcess tool(GetParam().args);
    const std::size_t count = GetParam().expected.size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= count; }, kWaitMs));
    EXPECT_EQ(received, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompanionSendsTest,
    ::testing::Values(SendCase{"ParametersDefaultToZero", {"--send", "1494"}, {{1494, 0, 0}}},
                      SendCase{"SeveralWithParameters",
                               {"--send", "1490:7:-3", "--send", "1493", "--send", "1494:0:1"},
                               {{1490, 7, -3}, {1493, 0, 0}, {1494, 0, 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DBusCompanionTest, ActualFileIsWrittenJustBeforeMessage1493) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("actual.txt"));
    auto companion = link(timers);
    std::vector<QByteArray> seen;
    companion->onMessage = [&](int msg, std::int32_t, std::int32_t) {
        QFile file(path);
        seen.push_back(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>"));
        received.push_back({msg, 0, 0});
    };

    CompanionProcess tool({"--actual", path, "--line1", "Jan Müller", "--line2", "12,34 s",
                           "--send", "1490", "--send", "1493"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= 2; }, kWaitMs));
    EXPECT_EQ(seen, (std::vector<QByteArray>{"<none>", "Jan M\xc3\xbcller\n12,34 s\n"}));
}

TEST_F(DBusCompanionTest, RequestDuringOurSendIsHandledWithoutWaitingForTheTimeout) {
    HoldRecorder holds;
    auto companion = link(holds);
    CompanionProcess tool({"--send-on", "1495=1490:2:3"});
    ASSERT_TRUE(appears(*companion));

    bool sending = false;
    bool heldAfterNestedSend = false;
    companion->onMessage = [&](int msg, std::int32_t w, std::int32_t l) {
        received.push_back({msg, w, l});
        EXPECT_TRUE(sending);
        // Answering from the handler nests a second send in the first one.
        companion->send(1496, 0, 0);
        heldAfterNestedSend = holds.held;
    };
    QElapsedTimer clock;
    clock.start();
    sending = true;
    companion->send(1495, 0, 0);
    sending = false;

    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(received, (std::vector<Received>{{1490, 2, 3}}));
    EXPECT_TRUE(heldAfterNestedSend);
    EXPECT_EQ(holds.changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(tool.lines(2), (QStringList{"1495 0 0", "1496 0 0"}));
}

TEST_F(DBusCompanionTest, HungCompanionIsGivenUpAfterAboutTwoSecondsWithTimersHeld) {
    auto companion = link(timers);
    CompanionProcess tool({"--hang"});
    ASSERT_TRUE(appears(*companion));
    int fired = 0;
    const auto timer = timers.create(10, [&] { ++fired; });
    timer->setEnabled(true);

    QElapsedTimer clock;
    clock.start();
    companion->send(1495, 0, 0);
    const qint64 waited = clock.elapsed();

    EXPECT_GE(waited, 1500);
    EXPECT_LE(waited, 4000);
    EXPECT_EQ(fired, 0) << "held during the wait, and not run inside the sender";
    QCoreApplication::processEvents();
    EXPECT_GE(fired, 1) << "came due during the wait: runs after release";
    EXPECT_EQ(tool.lines(1), QStringList{"1495 0 0"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= 3; }, kWaitMs)) << "runs on afterwards";
}

TEST_F(DBusCompanionTest, SecondInstanceStaysDownAndLeavesTheNameToTheFirst) {
    auto first = link(timers);
    CompanionProcess tool({});
    ASSERT_TRUE(appears(*first));
    const QString name = QStringLiteral("second");
    {
        HoldRecorder holds;
        DBusCompanion second(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name),
                             holds);
        EXPECT_FALSE(second.windowExists());
        second.send(1490, 0, 0);
        EXPECT_TRUE(holds.changes.empty());
    }
    QDBusConnection::disconnectFromBus(name);
    EXPECT_TRUE(bus.interface()->isServiceRegistered(QStringLiteral("org.zorvat.TfrmCas")).value());
    // Nothing of the second's came through before the first's message.
    first->send(1495, 0, 0);
    EXPECT_EQ(tool.lines(1), QStringList{"1495 0 0"});
}

TEST(DBusCompanionWithoutBus, StaysDownQuietly) {
    const QDBusConnection none(QStringLiteral("none"));
    ASSERT_FALSE(none.isConnected());
    HoldRecorder holds;
    DBusCompanion companion(none, holds);
    companion.onMessage = [](int, std::int32_t, std::int32_t) { ADD_FAILURE(); };

    EXPECT_FALSE(companion.windowExists());
    companion.send(1495, 1, 1000);
    companion.sendIfPresent(1495, 1, 1000);
    EXPECT_TRUE(holds.changes.empty()) << "nothing was sent";
}

TEST(CompanionTool, RejectsBadArgumentsWithoutTouchingTheBus) {
    const QStringList cases[] = {
        {"--send"},
        {"--send", "x"},
        {"--send", "1490:1"},
        {"--send-on", "1495"},
        {"--send-on", "1495=x"},
        {"--actual", "f", "one"},
        {"--line1", "Jan"},
        {"--exit-after", "0"},
        {"--timeout", "soon"},
        {"--bogus"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        QProcess process;
        process.start(QStringLiteral(ZORVAT_COMPANION), args);
        ASSERT_TRUE(process.waitForFinished(kWaitMs));
        EXPECT_EQ(process.exitCode(), 2);
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
        EXPECT_FALSE(process.readAllStandardError().isEmpty());
    }
}

} // namespace
