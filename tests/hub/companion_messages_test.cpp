// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

#include <QApplication>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zorvat;

class CompanionMessages : public Device {
protected:
    QString previousDir;
    void SetUp() override {
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previousDir); }
    void writeActual(const QByteArray& content) {
        QFile f(dir.filePath(QStringLiteral("actual.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    void message(int msg) { companion.onMessage(msg, 0, 0); }
};

TEST_F(CompanionMessages, SettingsAndVersionRequestsAreAnsweredAtOnce) {
    greet(466, 0xDC);
    pick(ui<QComboBox>("CBFormat"), 1);
    companion.sent.clear();
    message(1490);
    message(1494);
    message(1491); // not a request
    EXPECT_EQ(companion.sent, (Sent{{1490, 466, 0xDC}, {1494, 466, 1}}));
}

TEST_F(CompanionMessages, ActualTxtFillsTeamAndMovingText) {
    greet(466, 0x51);
    frm->show();
    frm->activateWindow();
    QApplication::processEvents();
    writeActual("SDH Horní Zorvatice\r\nVítejte na soutěži\r\n");
    message(1493);
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), QStringLiteral("SDH Horní Zorvatice"));
    EXPECT_EQ(ui<QLineEdit>("edtText")->text(), QStringLiteral("Vítejte na soutěži"));
    EXPECT_EQ(frm->focusWidget(), ui<QLineEdit>("edtM1"));
    EXPECT_TRUE(frm->state().t_posun);
    EXPECT_EQ(frm->frmLED()->Scrolly, QStringLiteral("Vítejte na soutěži"));
    EXPECT_TRUE(errors.shown.isEmpty());
}

TEST_F(CompanionMessages, OneLineGivesAnEmptySecondLineEvenWhenHidden) {
    greet(466, 0x51); // window never shown: the focus steps run without focus events
    ui<QLineEdit>("edtText")->setText(QStringLiteral("old"));
    writeActual("Jen tým");
    message(1493);
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), QStringLiteral("Jen tým"));
    EXPECT_EQ(ui<QLineEdit>("edtText")->text(), QString());
}

TEST_F(CompanionMessages, ALongTeamNameFromTheCompanionIsKeptWhole) {
    greet(466, 0x51);
    const QString name = QStringLiteral("Sbor dobrovolných hasičů Zorvatice nad Orlicí");
    writeActual(name.toUtf8() + "\n");
    message(1493);
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), name);
}

TEST_F(CompanionMessages, LinesLongerThanAnEditBoxNormallyTakesAreKeptWhole) {
    greet(466, 0x51);
    const QString team = QString(40000, QLatin1Char('T')) + QStringLiteral("konec");
    const QString text = QString(50000, QLatin1Char('x')) + QStringLiteral("konec");
    writeActual(team.toUtf8() + "\n" + text.toUtf8() + "\n");
    message(1493);
    // Compared as lengths first: a failure should not print 40,000 characters.
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text().size(), team.size());
    EXPECT_TRUE(ui<QLineEdit>("edtSDH")->text() == team);
    EXPECT_EQ(ui<QLineEdit>("edtText")->text().size(), text.size());
    EXPECT_TRUE(ui<QLineEdit>("edtText")->text() == text);
}

TEST_F(CompanionMessages, WindowsCodePageIsRead) {
    greet(466, 0x51);
    writeActual(QByteArray("Hasi\xe8i\nP\xf8\xedprava\n"));
    message(1493);
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), QStringLiteral("Hasiči"));
    EXPECT_EQ(ui<QLineEdit>("edtText")->text(), QStringLiteral("Příprava"));
}

TEST_F(CompanionMessages, AMissingFileIsReportedAndChangesNothing) {
    greet(466, 0x51);
    ui<QLineEdit>("edtSDH")->setText(QStringLiteral("Kept"));
    message(1493);
    EXPECT_EQ(errors.shown,
              QStringList{QStringLiteral("I/O error: actual.txt: No such file or directory")});
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), QStringLiteral("Kept"));
    EXPECT_FALSE(frm->state().t_posun);
}

namespace {

// Opens the FIFO for writing if the test has not finished within a few seconds: a reader
// blocked in its open() is then released, and the test fails instead of hanging.
class FifoWatchdog {
public:
    explicit FifoWatchdog(QString path)
        : thread_([this, path = QFile::encodeName(path)] {
              std::unique_lock lock(mutex_);
              if (done_.wait_for(lock, std::chrono::seconds(5), [this] { return finished_; }))
                  return;
              const int fd = ::open(path.constData(), O_WRONLY);
              released_ = fd >= 0;
              if (fd >= 0)
                  ::close(fd);
          }) {}
    ~FifoWatchdog() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    bool released() const { return released_; }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> released_{false};
    std::thread thread_;
};

} // namespace

// Only a regular file is read: a FIFO would block in open() until some writer came, a device
// such as /dev/zero could feed bytes without end.
TEST_F(CompanionMessages, AnythingButARegularFileIsRefused) {
    const QString actual = dir.filePath(QStringLiteral("actual.txt"));
    const struct {
        const char* name;
        std::function<bool()> make;
    } cases[] = {
        {"FIFO", [&] { return mkfifo(QFile::encodeName(actual).constData(), 0644) == 0; }},
        {"folder", [&] { return QDir(dir.path()).mkdir(QStringLiteral("actual.txt")); }},
        {"link to a device", [&] { return QFile::link(QStringLiteral("/dev/null"), actual); }},
    };
    greet(466, 0x51);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.make());
        ui<QLineEdit>("edtSDH")->setText(QStringLiteral("Kept"));
        errors.shown.clear();
        {
            FifoWatchdog watchdog(actual);
            message(1493);
            EXPECT_FALSE(watchdog.released()) << "blocked until a writer came";
        }
        EXPECT_EQ(errors.shown,
                  QStringList{QStringLiteral("I/O error: actual.txt: není obyčejný soubor")});
        EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), QStringLiteral("Kept"));
        EXPECT_TRUE(QFileInfo(actual).isDir() ? QDir(dir.path()).rmdir(QStringLiteral("actual.txt"))
                                              : QFile::remove(actual));
    }
}

// Two lines are all that is used; the first mebibyte is all that is read. A cut inside a
// multi-byte character must not turn the text into another encoding.
TEST_F(CompanionMessages, AtMostOneMebibyteIsRead) {
    greet(466, 0x51);
    QByteArray lines;
    while (lines.size() < 2 * 1024 * 1024)
        lines += QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy\n").toUtf8();
    writeActual(QStringLiteral("SDH Kůň\nPosuvný text\n").toUtf8() + lines);
    message(1493);
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), QStringLiteral("SDH Kůň"));
    EXPECT_EQ(ui<QLineEdit>("edtText")->text(), QStringLiteral("Posuvný text"));

    writeActual(QByteArray(3 * 1024 * 1024, 'x'));
    message(1493);
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text().size(), 1024 * 1024);
    EXPECT_TRUE(errors.shown.isEmpty());
}

TEST_F(CompanionMessages, ControlCharactersDoNotReachTheBoard) {
    greet(466, 0x51);
    writeActual(QByteArray("SDH\tZor\x01vat\x7f\rice\r\nTe\x1b[31mxt") + '\0' +
                " \xc2\x85konec\r\n");
    message(1493);
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text(), QStringLiteral("SDHZorvatice"));
    EXPECT_EQ(ui<QLineEdit>("edtText")->text(), QStringLiteral("Te[31mxt konec"));
}
