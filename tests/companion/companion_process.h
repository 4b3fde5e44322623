// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The built zorvat-companion as a separate process, and what it logs.
#include <QProcess>
#include <QStringList>
#include <QTest>

constexpr int kWaitMs = 5000; // for what comes within milliseconds

class CompanionProcess {
public:
    explicit CompanionProcess(QStringList args) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(ZORVAT_COMPANION),
                       args << QStringLiteral("--timeout") << QStringLiteral("30000"));
    }
    ~CompanionProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kWaitMs);
        }
    }

    // The lines logged so far, once there are at least count (or the wait ran out).
    QStringList lines(qsizetype count) {
        // The caller checks what came.
        (void)QTest::qWaitFor(
            [&] {
                while (process_.canReadLine())
                    lines_ << QString::fromUtf8(process_.readLine()).chopped(1);
                return lines_.size() >= count;
            },
            kWaitMs);
        return lines_;
    }
    // Exit code, or -1 if it did not end normally in time.
    int exitCode() {
        const bool ended =
            QTest::qWaitFor([&] { return process_.state() == QProcess::NotRunning; }, kWaitMs);
        return ended && process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
    QStringList lines_;
};
