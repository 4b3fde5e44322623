// SPDX-License-Identifier: GPL-3.0-or-later
// Every executable answers --help and --version as command-line tools do, and does nothing
// else: no window, no port, no bus.
#include "zorvat_version.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct Tool {
    const char* name;
    const char* path;
};

const Tool kTools[] = {
    {"zorvat-d", ZORVAT_D},
    {"zorvat-q", ZORVAT_Q},
    {"zorvat-sim", ZORVAT_SIM},
    {"zorvat-replay", ZORVAT_REPLAY},
    {"zorvat-companion", ZORVAT_COMPANION},
};

struct Outcome {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

// A tool that opens its window instead would run on: it is given a few seconds, then killed.
Outcome run(const Tool& tool, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QString::fromUtf8(tool.path), args);
    Outcome r;
    r.finished = process.waitForFinished(10'000);
    if (!r.finished) {
        process.kill();
        process.waitForFinished();
    }
    r.exitCode = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

TEST(ToolOptions, VersionIsTheProjectVersion) {
    for (const Tool& tool : kTools) {
        for (const char* option : {"--version", "-v"}) {
            SCOPED_TRACE(std::string(tool.name) + " " + option);
            const Outcome r = run(tool, {QString::fromLatin1(option)});
            EXPECT_TRUE(r.finished) << "still running";
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_EQ(r.out.toStdString(), std::string(tool.name) + " " ZORVAT_VERSION "\n");
        }
    }
}

TEST(ToolOptions, HelpNamesTheCommonOptions) {
    for (const Tool& tool : kTools) {
        for (const char* option : {"--help", "-h"}) {
            SCOPED_TRACE(std::string(tool.name) + " " + option);
            const Outcome r = run(tool, {QString::fromLatin1(option)});
            EXPECT_TRUE(r.finished) << "still running";
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_TRUE(r.out.contains(QLatin1String(tool.name))) << r.out.toStdString();
            EXPECT_TRUE(r.out.contains(QLatin1String("--help"))) << r.out.toStdString();
            EXPECT_TRUE(r.out.contains(QLatin1String("--version"))) << r.out.toStdString();
        }
    }
}

} // namespace
