// SPDX-License-Identifier: GPL-3.0-or-later
// zorvat-journal run as a process on a prepared journal.
#include "zorvat_version.h"
#include "journal_file.h"
#include "journal_fixture.h"
#include "results_csv.h"
#include "scoped_env.h"
#include "sim_script.h"

#include <QFile>
#include <fcntl.h>
#include <spawn.h>

extern char** environ;

using namespace zorvat;
using namespace zorvat::test;

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

QByteArray slurp(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class JournalToolTest : public JournalTest {
protected:
    void SetUp() override {
        {
            Journal journal(folder());
            journal.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
            journal.attemptStarted(at(9, 10, 0, 5), 600000);
            journal.resultsAdded({attackEntry(QStringLiteral("10,00L 11,00"), 1000, 1100)});
            journal.endSession(at(12, 0, 0));
        }
        Journal journal(folder());
        journal.beginSession(at(13, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
        journal.recordBytes(bytes_);
        journal.attemptStarted(at(13, 10, 0), 800000);
        journal.split(1, 500, QStringLiteral("5,00"), QStringLiteral("Savice"));
        journal.resultsAdded({trackEntry(QStringLiteral("1 20,00"), 1, 2000),
                              trackEntry(QStringLiteral("2 21,00"), 2, 2100)});
        // No end: the second session is still open.
    }

    ToolRun run(const QStringList& args) const {
        std::vector<QByteArray> words{QByteArray(ZORVAT_JOURNAL_TOOL)};
        for (const QString& arg : args)
            words.push_back(arg.toUtf8());
        std::vector<char*> argv;
        for (QByteArray& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);

        const QByteArray outPath = scratch(QStringLiteral("stdout")).toUtf8();
        const QByteArray errPath = scratch(QStringLiteral("stderr")).toUtf8();
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, outPath.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&files, 2, errPath.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = -1;
        ToolRun result;
        if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
                result.exitCode = WEXITSTATUS(status);
        }
        posix_spawn_file_actions_destroy(&files);
        result.out = slurp(QString::fromUtf8(outPath));
        result.err = slurp(QString::fromUtf8(errPath));
        return result;
    }

    QStringList withData(QStringList args) const {
        return QStringList{QStringLiteral("--data"), folder()} + args;
    }

    const std::vector<StampedByte> bytes_{{0xAA, 1000, 1'715'500'001'000},
                                          {0xBA, 5000, 1'715'500'005'000},
                                          {0x26, 5001, 1'715'500'005'001},
                                          {0x02, 5001, 1'715'500'005'001}};
};

TEST_F(JournalToolTest, SessionsListsNumberStartEndAndLiveResults) {
    const QByteArray expected = QStringLiteral("1\t12.05.2024 09:00:00\t12.05.2024 12:00:00\t1\n"
                                               "2\t12.05.2024 13:00:00\tneukončená\t2\n")
                                    .toUtf8();
    const ToolRun byOption = run(withData({QStringLiteral("sessions")}));
    EXPECT_EQ(byOption.exitCode, 0) << byOption.err.toStdString();
    EXPECT_EQ(byOption.out, expected);

    const ScopedEnv data("ZORVAT_DATA", folder().toUtf8());
    const ToolRun byEnvironment = run({QStringLiteral("sessions")});
    EXPECT_EQ(byEnvironment.exitCode, 0) << byEnvironment.err.toStdString();
    EXPECT_EQ(byEnvironment.out, expected);
}

TEST_F(JournalToolTest, ResultsOfTheLatestOrAGivenSessionAsCsv) {
    JournalReader reader(folder());
    const ToolRun latest = run(withData({QStringLiteral("results")}));
    EXPECT_EQ(latest.exitCode, 0) << latest.err.toStdString();
    EXPECT_EQ(latest.out, resultsCsv(reader.results(2).value()));
    EXPECT_TRUE(latest.out.contains(";1 20,00;6;2000;;;5,00;Savice;"));
    EXPECT_TRUE(latest.out.contains(";2 21,00;7;2100;;;5,00;Savice;"));

    const QString file = scratch(QStringLiteral("vysledky.csv"));
    const ToolRun first = run(
        withData({QStringLiteral("results"), QStringLiteral("1"), QStringLiteral("--out"), file}));
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.isEmpty());
    EXPECT_EQ(slurp(file), resultsCsv(reader.results(1).value()));
    EXPECT_TRUE(slurp(file).contains("12.05.2024 09:10:00,005;10,00L 11,00;0;1000;2;1100;"));
}

TEST_F(JournalToolTest, StreamIsAScriptOfTheSessionsBytes) {
    const ToolRun stream = run(withData({QStringLiteral("stream"), QStringLiteral("2")}));
    EXPECT_EQ(stream.exitCode, 0) << stream.err.toStdString();
    const sim::ScriptResult script = sim::parseScript(stream.out.toStdString());
    EXPECT_EQ(script.error, "");
    const std::vector<sim::ScriptCommand> expected{sim::SendBytes{{0xAA}},
                                                   sim::Wait{std::chrono::milliseconds(4000)},
                                                   sim::SendBytes{{0xBA, 0x26, 0x02}}};
    EXPECT_EQ(script.commands, expected) << stream.out.toStdString();
}

struct ErrorCase {
    const char* name;
    QStringList args; // --data FOLDER comes first unless the case gives its own
    int exitCode;
    QString message;
};

class JournalToolErrorTest : public JournalToolTest,
                             public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(JournalToolErrorTest, OneLineOnStandardError) {
    const ErrorCase& c = GetParam();
    const ToolRun result =
        run(c.args.contains(QStringLiteral("--data")) ? c.args : withData(c.args));
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.endsWith('\n'));
    EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(
        QString::fromUtf8(result.err).startsWith(QStringLiteral("zorvat-journal: ") + c.message))
        << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalToolErrorTest,
    ::testing::Values(
        ErrorCase{"no_database",
                  {QStringLiteral("--data"), QStringLiteral("/nonexistent/zorvat"),
                   QStringLiteral("sessions")},
                  1,
                  QStringLiteral("deník /nonexistent/zorvat/journal.sqlite neexistuje")},
        ErrorCase{"no_such_session",
                  {QStringLiteral("results"), QStringLiteral("7")},
                  1,
                  QStringLiteral("relace 7 v deníku není")},
        ErrorCase{"no_such_session_to_stream",
                  {QStringLiteral("stream"), QStringLiteral("3")},
                  1,
                  QStringLiteral("relace 3 v deníku není")},
        ErrorCase{"unknown_command",
                  {QStringLiteral("export")},
                  2,
                  QStringLiteral("neznámý příkaz export")},
        ErrorCase{"no_command", {}, 2, QStringLiteral("chybí příkaz")},
        ErrorCase{"session_not_a_number",
                  {QStringLiteral("results"), QStringLiteral("druhá")},
                  2,
                  QStringLiteral("druhá není číslo relace")},
        ErrorCase{"out_with_sessions",
                  {QStringLiteral("sessions"), QStringLiteral("--out"), QStringLiteral("x")},
                  2,
                  QStringLiteral("--out patří jen k příkazům results a stream")},
        ErrorCase{"unknown_option",
                  {QStringLiteral("--verbose"), QStringLiteral("sessions")},
                  2,
                  QStringLiteral("neznámá volba verbose")},
        ErrorCase{"option_without_value",
                  {QStringLiteral("results"), QStringLiteral("--out")},
                  2,
                  QStringLiteral("volba --out potřebuje hodnotu")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalToolTest, UnreadableOrEmptyJournalIsAnError) {
    const QString empty = scratch(QStringLiteral("empty"));
    ASSERT_TRUE(openJournalForWriting(empty, false, 5).db);
    const ToolRun noSession = run({QStringLiteral("--data"), empty, QStringLiteral("results")});
    EXPECT_EQ(noSession.exitCode, 1);
    EXPECT_EQ(noSession.err,
              QStringLiteral("zorvat-journal: deník zatím nemá žádnou relaci\n").toUtf8());

    const QString broken = scratch(QStringLiteral("broken"));
    ASSERT_TRUE(QDir().mkpath(broken));
    QFile garbage(journalFilePath(broken));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(2048, '\x5A'));
    garbage.close();
    const ToolRun unreadable = run({QStringLiteral("--data"), broken, QStringLiteral("sessions")});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.err,
              QByteArray("zorvat-journal: deník nelze přečíst: file is not a database\n"));
    EXPECT_EQ(slurp(journalFilePath(broken)), QByteArray(2048, '\x5A')) << "reading changed it";
}

TEST_F(JournalToolTest, VersionAndHelp) {
    const ToolRun version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QByteArray("zorvat-journal " ZORVAT_VERSION "\n"));

    const ToolRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(
        QStringLiteral("Použití: zorvat-journal [--data SLOŽKA] PŘÍKAZ").toUtf8()));
}

} // namespace
