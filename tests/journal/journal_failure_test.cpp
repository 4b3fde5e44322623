// SPDX-License-Identifier: GPL-3.0-or-later
// The journal when the disk does not play along: a folder that cannot be made, a full disk,
// another process holding the file, a damaged file. Timing goes on; nothing pending is lost.
#include "child_process.h"
#include "journal_fixture.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <sys/mount.h>

using namespace zorvat;
using namespace zorvat::test;

namespace {

using JournalFailureTest = JournalTest;

const JournalEntry kFirst = attackEntry(QStringLiteral("10,00L 11,00"), 1000, 1100);
const JournalEntry kSecond = trackEntry(QStringLiteral("2 12,50"), 2, 1250);
const JournalEntry kThird = attackEntry(QStringLiteral("13,00P 14,00"), 1300, 1400);

std::vector<StampedByte> manyBytes(int count, qint64 fromMs) {
    std::vector<StampedByte> bytes;
    for (int i = 0; i < count; ++i)
        bytes.push_back({std::uint8_t(i * 7), fromMs + i, 1'715'500'000'000 + fromMs + i});
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Another process in the middle of a write transaction on the journal, until released.
class OtherWriter {
public:
    explicit OtherWriter(const QString& path) {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(toChild[1]);
            close(fromChild[0]);
            sqlite3* db = nullptr;
            const bool holds = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK &&
                               sqlite3_exec(db,
                                            "BEGIN IMMEDIATE; INSERT INTO events(session, kind) "
                                            "VALUES(0, 'other instance')",
                                            nullptr, nullptr, nullptr) == SQLITE_OK;
            char answer = holds ? 'y' : 'n';
            (void)!write(fromChild[1], &answer, 1);
            (void)!read(toChild[0], &answer, 1); // until the test lets go
            const bool committed = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == 0;
            sqlite3_close(db);
            _exit(committed ? 0 : 1);
        }
        close(toChild[0]);
        close(fromChild[1]);
        release_ = toChild[1];
        char answer = 'n';
        holding_ = read(fromChild[0], &answer, 1) == 1 && answer == 'y';
        close(fromChild[0]);
    }
    ~OtherWriter() { finish(); }

    bool holding() const { return holding_; }
    // Lets the other process commit and end; true when it did.
    bool finish() {
        if (pid_ <= 0)
            return false;
        close(release_);
        int status = 0;
        const bool ended = waitpid(pid_, &status, 0) == pid_;
        pid_ = -1;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool holding_ = false;
};

TEST_F(JournalFailureTest, FolderThatCannotBeMadeIsTriedAgainLaterAndGetsEverything) {
    const QString blocker = scratch(QStringLiteral("blocker"));
    ASSERT_TRUE(writeFile(blocker, "a file where the folder should go"));
    const QString data = blocker + QStringLiteral("/data");

    JournalWatch watch;
    Journal journal(data, watch.clock());
    watch.attach(journal);
    EXPECT_TRUE(
        journal.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1")).empty());
    EXPECT_EQ(watch.problems, QStringList{QStringLiteral("Not a directory")});
    journal.attemptStarted(at(9, 10, 0), 600000);
    journal.recordBytes(manyBytes(10, 600000));
    EXPECT_FALSE(journal.resultsAdded({kFirst, kSecond}));
    journal.resultDeleted(0);

    ASSERT_TRUE(QFile::remove(blocker));
    ASSERT_TRUE(QDir().mkdir(blocker));
    watch.nowMs = 2999;
    journal.flush();
    EXPECT_FALSE(QFile::exists(data + QStringLiteral("/journal.sqlite")))
        << "tried again before the retry time";

    watch.nowMs = 3000;
    EXPECT_TRUE(journal.resultsAdded({kThird}));
    EXPECT_EQ(watch.problems.size(), 1);
    EXPECT_EQ(watch.recoveries, 1);

    JournalReader reader(data);
    const auto rows = reader.results(1);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].entry, kSecond);
    EXPECT_EQ((*rows)[0].attemptStarted, at(9, 10, 0));
    EXPECT_EQ((*rows)[1].entry, kThird);
    EXPECT_EQ(reader.deviceBytes(1), manyBytes(10, 600000));
}

// A tmpfs of its own, so that the disk really fills up.
class SmallDisk {
public:
    explicit SmallDisk(const QString& path) : path_(path.toUtf8()) {
        QDir().mkpath(path);
        mounted_ = mount("tmpfs", path_.constData(), "tmpfs", 0, "size=1m") == 0;
        why_ = mounted_ ? QString() : QString::fromUtf8(std::strerror(errno));
    }
    ~SmallDisk() {
        if (mounted_)
            umount2(path_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const QString& why() const { return why_; }

private:
    QByteArray path_;
    bool mounted_;
    QString why_;
};

// Fills the disk up to its last byte.
bool fillUp(const QString& path) {
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    const QByteArray byte(1, 'x');
    while (filler.write(byte) == 1) {
    }
    return filler.size() > 0;
}

TEST_F(JournalFailureTest, FullDiskKeepsThePendingDataUntilThereIsRoom) {
    const QString disk = scratch(QStringLiteral("disk"));
    SmallDisk small(disk);
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root): " << small.why().toStdString();
    const QString data = disk + QStringLiteral("/data");

    JournalWatch watch;
    Journal journal(data, watch.clock());
    watch.attach(journal);
    journal.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
    EXPECT_TRUE(journal.resultsAdded({kFirst}));
    ASSERT_TRUE(fillUp(disk + QStringLiteral("/filler")));

    const std::vector<StampedByte> bytes = manyBytes(20000, 1000);
    journal.recordBytes(bytes);
    EXPECT_FALSE(journal.resultsAdded({kSecond}));
    journal.flush();
    EXPECT_EQ(watch.problems, QStringList{QStringLiteral("database or disk is full")});

    ASSERT_TRUE(QFile::remove(disk + QStringLiteral("/filler")));
    watch.nowMs += 3000;
    journal.flush();
    EXPECT_EQ(watch.recoveries, 1);
    JournalReader reader(data);
    const auto rows = reader.results(1);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[1].entry, kSecond);
    EXPECT_EQ(reader.deviceBytes(1), bytes);
}

TEST_F(JournalFailureTest, FileHeldByAnotherProcessIsReportedOnceAndWrittenLater) {
    JournalWatch watch;
    Journal journal(folder(), watch.clock());
    watch.attach(journal);
    journal.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        OtherWriter other(filePath());
        ASSERT_TRUE(other.holding());
        // The calls come back while the other process still holds the file.
        EXPECT_FALSE(journal.resultsAdded({kFirst}));
        journal.split(1, 100, QStringLiteral("1,00"), QStringLiteral("Voda"));
        EXPECT_FALSE(journal.resultsAdded({kSecond}));
        EXPECT_EQ(watch.problems.size(), round);
        EXPECT_EQ(watch.problems.last(), QStringLiteral("database is locked"));

        ASSERT_TRUE(other.finish());
        watch.nowMs += 3000;
        journal.flush();
        EXPECT_EQ(watch.recoveries, round);
    }
    EXPECT_EQ(liveTexts(1),
              (std::vector<QString>{kFirst.text, kSecond.text, kFirst.text, kSecond.text}));
}

TEST_F(JournalFailureTest, TwoProcessesWritingAtOnceBothKeepEverything) {
    constexpr int kResults = 150;
    const auto run = [&](const QString& edition) {
        return [&, edition] {
            {
                Journal journal(folder());
                journal.beginSession(at(9, 0, 0), edition, QStringLiteral("0.1"));
                for (int i = 0; i < kResults; ++i) {
                    journal.recordBytes(manyBytes(3, i * 10));
                    journal.resultsAdded({JournalEntry{edition + QString::number(i), {}}});
                }
                journal.endSession(at(10, 0, 0));
            }
            return 0;
        };
    };
    const pid_t first = fork();
    if (first == 0)
        _exit(run(QStringLiteral("d"))());
    EXPECT_EQ(inChildProcess(run(QStringLiteral("q"))), 0);
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const std::vector<SessionInfo> all = sessions();
    ASSERT_EQ(all.size(), 2u);
    for (const SessionInfo& session : all) {
        SCOPED_TRACE(session.edition.toStdString());
        EXPECT_TRUE(session.ended);
        std::vector<QString> expected;
        for (int i = 0; i < kResults; ++i)
            expected.push_back(session.edition + QString::number(i));
        EXPECT_EQ(liveTexts(session.number), expected);
        JournalReader reader(folder());
        EXPECT_EQ(reader.deviceBytes(session.number).value_or(std::vector<StampedByte>()).size(),
                  std::size_t(3 * kResults));
    }
}

struct DamageCase {
    const char* name;
    // Turns a good journal (or nothing) into the damaged file.
    void (*damage)(const QString& folder, const QString& file);
    QString words;
};

void garbageFile(const QString& folder, const QString& file) {
    QDir().mkpath(folder);
    QByteArray garbage;
    for (int i = 0; i < 3000; ++i)
        garbage += char(i * 31 + 7);
    writeFile(file, garbage);
}

// Page 1 (the schema) stays; the tables' pages are overwritten.
void garbagePages(const QString& folder, const QString& file) {
    {
        Journal journal(folder);
        journal.beginSession(at(8, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
        journal.resultsAdded({kFirst, kSecond});
    }
    QFile f(file);
    if (f.open(QIODevice::ReadWrite) && f.size() > 4096 && f.seek(4096))
        f.write(QByteArray(int(f.size() - 4096), '\xA5'));
}

class JournalDamageTest : public JournalTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(JournalDamageTest, DamagedFileIsMovedAsideAndAFreshOneTakesOver) {
    GetParam().damage(folder(), filePath());
    const QByteArray damaged = readFile(filePath());
    ASSERT_FALSE(damaged.isEmpty());

    JournalWatch watch;
    Journal journal(folder(), watch.clock());
    watch.attach(journal);
    EXPECT_TRUE(
        journal.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1")).empty());
    EXPECT_TRUE(journal.resultsAdded({kThird}));
    EXPECT_EQ(watch.problems, QStringList{GetParam().words});
    EXPECT_EQ(watch.recoveries, 1);

    QStringList aside;
    for (QDirIterator it(folder(), {QStringLiteral("journal.sqlite.corrupt-*")}, QDir::Files);
         it.hasNext();)
        aside << it.next();
    ASSERT_EQ(aside.size(), 1) << aside.join(u' ').toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("/journal\\.sqlite\\.corrupt-\\d{8}-\\d{6}$"))
                    .match(aside.first())
                    .hasMatch())
        << aside.first().toStdString();
    EXPECT_EQ(readFile(aside.first()), damaged);

    const std::vector<SessionInfo> all = sessions();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(liveTexts(all[0].number), std::vector<QString>{kThird.text});
}

INSTANTIATE_TEST_SUITE_P(Cases, JournalDamageTest,
                         ::testing::Values(DamageCase{"garbage_file", garbageFile,
                                                      QStringLiteral("file is not a database")},
                                           DamageCase{
                                               "garbage_pages", garbagePages,
                                               QStringLiteral("database disk image is malformed")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalFailureTest, FileReplacedWhileFailingGetsTheSessionAndItsListAgain) {
    JournalWatch watch;
    Journal journal(folder(), watch.clock());
    watch.attach(journal);
    journal.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
    journal.attemptStarted(at(9, 10, 0), 600000);
    ASSERT_TRUE(journal.resultsAdded({kFirst, kSecond}));
    journal.resultDeleted(0);

    {
        OtherWriter other(filePath());
        ASSERT_TRUE(other.holding());
        EXPECT_FALSE(journal.resultsAdded({kThird}));
    }
    const QString elsewhere = scratch(QStringLiteral("old"));
    ASSERT_TRUE(QDir().mkdir(elsewhere));
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFile::exists(filePath() + suffix)) {
            ASSERT_TRUE(QFile::rename(filePath() + suffix,
                                      elsewhere + QStringLiteral("/journal.sqlite") + suffix));
        }
    }

    watch.nowMs += 3000;
    journal.flush();
    EXPECT_EQ(watch.problems.size(), 1);
    EXPECT_EQ(watch.recoveries, 1);
    const std::vector<SessionInfo> all = sessions();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_FALSE(all[0].ended);
    EXPECT_EQ(all[0].started, at(9, 0, 0));
    EXPECT_EQ(liveTexts(all[0].number), (std::vector<QString>{kSecond.text, kThird.text}));
}

} // namespace
