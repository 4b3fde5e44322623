// SPDX-License-Identifier: GPL-3.0-or-later
// The real program over a pseudo-terminal with its journal: killed mid-competition and
// started again, closed cleanly, and a recorded competition played back through the simulator.
#include "pseudo_terminal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int kWaitMs = 10000;

// The driven program, copied to a folder of its own with a kq.ini for firmware 4.58.
class Program {
public:
    Program(const QString& folder, const QString& ports, const QString& data, const char* port) {
        QDir().mkpath(folder);
        exe_ = QDir(folder).filePath(QStringLiteral("zorvat-d"));
        if (!QFile::exists(exe_))
            QFile::copy(QStringLiteral(ZORVAT_PROGRAM_CHILD), exe_);
        QFile ini(QDir(folder).filePath(QStringLiteral("kq.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Cas]\nTyp=458\n");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZORVAT_PORTS"), ports);
        env.insert(QStringLiteral("ZORVAT_DATA"), data);
        env.insert(QStringLiteral("ZORVAT_TEST_PORT"), QString::fromLatin1(port));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(folder);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(exe_, {});
    }
    ~Program() {
        process_.kill();
        process_.waitForFinished(kWaitMs);
    }

    // The next line of stdout starting with prefix, without it.
    std::optional<QString> line(const char* prefix) {
        QElapsedTimer clock;
        clock.start();
        while (!clock.hasExpired(kWaitMs)) {
            while (process_.canReadLine()) {
                const QString l = QString::fromUtf8(process_.readLine()).trimmed();
                if (l.startsWith(QLatin1String(prefix)))
                    return l.mid(int(qstrlen(prefix))).trimmed();
            }
            process_.waitForReadyRead(100);
        }
        return std::nullopt;
    }
    // The results list, asked for until it has count entries or the wait runs out.
    QStringList list(int count) {
        QStringList items;
        QElapsedTimer clock;
        clock.start();
        do {
            process_.write("list\n");
            const auto l = line("LIST");
            items = l && !l->isEmpty() ? l->split('|') : QStringList();
            if (items.size() == count)
                break;
            QThread::msleep(50);
        } while (!clock.hasExpired(kWaitMs));
        return items;
    }
    void killHard() {
        process_.kill(); // SIGKILL
        process_.waitForFinished(kWaitMs);
    }
    bool closeCleanly() {
        process_.write("close\n");
        return process_.waitForFinished(kWaitMs) && process_.exitStatus() == QProcess::NormalExit;
    }

private:
    QString exe_;
    QProcess process_;
};

class JournalProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.isValid());
        ASSERT_TRUE(QFile::link(pty_.slavePath(), ports() + "/com1"));
    }
    QString ports() const { return root_.path(); }
    QString data() const { return root_.filePath("data"); }
    QString folder() const { return root_.filePath("program"); }

    // Firmware 4.58, two tracks: the greeting with a reset, then two attempts.
    void playCompetition() {
        ASSERT_TRUE(pty_.send(QByteArray::fromHex("00250100aa")));
        QThread::msleep(300);
        ASSERT_TRUE(pty_.send(QByteArray::fromHex("abba02012345ba05015678")));
        QThread::msleep(200);
        ASSERT_TRUE(pty_.send(QByteArray::fromHex("aaabba02020000ba05021111")));
    }

    QTemporaryDir root_;
    PseudoTerminal pty_;
};

const QStringList kCompetition{"1 12,34", "2 15,67", "1 20,00", "2 21,11"};

TEST_F(JournalProgram, KilledProgramGetsItsListBackAndACleanCloseStartsEmpty) {
    {
        Program first(folder(), ports(), data(), "COM1");
        ASSERT_EQ(first.line("READY"), QStringLiteral("1"));
        playCompetition();
        ASSERT_EQ(first.list(4), kCompetition);
        first.killHard();
    }
    {
        Program second(folder(), ports(), data(), "COM1");
        EXPECT_EQ(second.line("NOTE"), QString::fromUtf8("Obnoveny 4 výsledky z předchozího běhu"));
        ASSERT_TRUE(second.line("READY"));
        EXPECT_EQ(second.list(4), kCompetition);
        // Killed again at once: the restored list is this run's and comes back once more.
        second.killHard();
    }
    {
        Program third(folder(), ports(), data(), "COM1");
        ASSERT_TRUE(third.line("READY"));
        EXPECT_EQ(third.list(4), kCompetition);
        ASSERT_TRUE(third.closeCleanly());
    }
    Program fourth(folder(), ports(), data(), "COM1");
    EXPECT_EQ(fourth.line("NOTE"), QString());
    ASSERT_TRUE(fourth.line("READY"));
    EXPECT_EQ(fourth.list(0), QStringList());
}

TEST_F(JournalProgram, RecordedStreamPlayedBackThroughTheSimulatorGivesTheSameList) {
    {
        Program first(folder(), ports(), data(), "COM1");
        ASSERT_TRUE(first.line("READY"));
        playCompetition();
        ASSERT_EQ(first.list(4), kCompetition);
        ASSERT_TRUE(first.closeCleanly());
    }
    QProcess tool;
    tool.start(QStringLiteral(ZORVAT_JOURNAL), {"--data", data(), "stream", "1"});
    ASSERT_TRUE(tool.waitForFinished(kWaitMs));
    ASSERT_EQ(tool.exitCode(), 0);
    const QByteArray script = tool.readAllStandardOutput();
    QFile file(root_.filePath("competition.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(script);
    file.close();

    // A new program with a journal of its own, on the simulator's port.
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(ZORVAT_SIM), {"--firmware", "458", "--mode", "52", "--link",
                                           ports() + "/com2", "--script", file.fileName()});
    ASSERT_TRUE(sim.waitForReadyRead(kWaitMs)) << "the simulator makes its port";
    Program replayed(root_.filePath("replayed"), ports(), root_.filePath("data2"), "COM2");
    ASSERT_TRUE(replayed.line("READY"));
    EXPECT_EQ(replayed.list(4), kCompetition);
    sim.terminate();
    sim.waitForFinished(kWaitMs);
}

} // namespace
