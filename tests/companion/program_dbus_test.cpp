// SPDX-License-Identifier: GPL-3.0-or-later
// The real program, offscreen, with zorvat-companion as a separate process on the private
// session bus of the test run.
#include "companion_process.h"
#include "qt_printers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// zorvat-d from a folder of its own, so that it starts with no kq.ini (version 4.54) and
// writes none where the build keeps it; no serial ports; its journal in that folder too.
class ProgramProcess {
public:
    ProgramProcess() {
        const QString exe = dir_.filePath(QStringLiteral("zorvat-d"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZORVAT_D), exe));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZORVAT_PORTS"), dir_.path());
        env.insert(QStringLiteral("ZORVAT_DATA"), dir_.filePath(QStringLiteral("data")));
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(dir_.path());
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(exe, {});
    }
    ~ProgramProcess() {
        process_.kill();
        process_.waitForFinished(kWaitMs);
    }
    bool running() const { return process_.state() == QProcess::Running; }

private:
    QTemporaryDir dir_;
    QProcess process_;
};

} // namespace

TEST(ProgramOverDBus, MessagesGoEachWay) {
    CompanionProcess tool({QStringLiteral("--send"), QStringLiteral("1490")});
    ProgramProcess program;
    // The version step at start-up tells the companion twice; the companion's request is
    // answered with the version and the mode byte (0 before any device).
    QStringList lines = tool.lines(3);
    lines.sort();
    EXPECT_EQ(lines, (QStringList{QStringLiteral("1490 454 0"), QStringLiteral("1494 454 0"),
                                  QStringLiteral("1494 454 0")}));
    EXPECT_TRUE(program.running());
}

TEST(ProgramOverDBus, AHungCompanionIsGivenUpAfterAboutTwoSeconds) {
    CompanionProcess tool({QStringLiteral("--hang")});
    ProgramProcess program;
    ASSERT_EQ(tool.lines(1).size(), 1);
    QElapsedTimer between;
    between.start();
    // The second message of the version step comes once the first has been given up.
    ASSERT_EQ(tool.lines(2).size(), 2);
    EXPECT_GE(between.elapsed(), 1500);
    EXPECT_LE(between.elapsed(), 4000);
    EXPECT_TRUE(program.running());
}
