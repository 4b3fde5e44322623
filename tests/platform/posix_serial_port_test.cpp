// SPDX-License-Identifier: GPL-3.0-or-later
#include "posix_serial_port.h"
#include "pseudo_terminal.h"
#include "scoped_env.h"
#include "system_clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace zorvat {
namespace {

// Runs the event loop until done() holds or timeoutMs passes; sleeps while idle.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
    QTimer tick;
    tick.start(5);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.hasExpired(timeoutMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

qint64 processCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A child process that holds the device until told to let go.
class Holder {
public:
    // how: "open" for a plain open, "flock" for an open with a flock.
    Holder(const QString& device, const char* how) {
        int toParent[2];
        int toChild[2];
        if (::pipe(toParent) != 0 || ::pipe(toChild) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(toParent[0]);
            ::close(toChild[1]);
            const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
            const bool held = fd >= 0 && (std::string(how) != "flock" || ::flock(fd, LOCK_EX) == 0);
            const char ok = held ? '1' : '0';
            char done = 0;
            if (::write(toParent[1], &ok, 1) != 1 || ::read(toChild[0], &done, 1) < 0)
                ::_exit(2);
            ::_exit(0);
        }
        ::close(toParent[1]);
        ::close(toChild[0]);
        toChild_ = toChild[1];
        char ok = 0;
        holding_ = ::read(toParent[0], &ok, 1) == 1 && ok == '1';
        ::close(toParent[0]);
    }
    ~Holder() { release(); }
    bool holding() const { return holding_; }
    void release() {
        if (pid_ <= 0)
            return;
        ::close(toChild_);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    bool holding_ = false;
};

// COM3 and COM4 are links to the same pseudo-terminal, COM5 is a link to nothing.
class PosixSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.isValid());
        ASSERT_TRUE(ports_.isValid());
        ASSERT_TRUE(QFile::link(pty_.slavePath(), ports_.filePath("com3")));
        ASSERT_TRUE(QFile::link(pty_.slavePath(), ports_.filePath("com4")));
        ASSERT_TRUE(QFile::link(ports_.filePath("gone"), ports_.filePath("com5")));
    }

    // Collects what the port hands over, as the main window does.
    void collect(PosixSerialPort& port) {
        port.onReceived = [this, &port] {
            for (const StampedByte& b : port.takeReceived())
                got_.push_back(b);
        };
        port.onLost = [this](const QString& reason) { lost_ << reason; };
    }

    PseudoTerminal pty_;
    QTemporaryDir ports_;
    ScopedEnv env_{"ZORVAT_PORTS", ports_.path().toLocal8Bit()};
    std::vector<StampedByte> got_;
    QStringList lost_;
};

TEST_F(PosixSerialPortTest, HandsOverBytesInOrderStampedWhenTheyArrived) {
    PosixSerialPort port;
    collect(port);
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    // A pseudo-terminal has no RTS or DTR; refusing them must not close the line.
    port.setRts(true);
    port.setDtr(true);
    ASSERT_TRUE(port.isOpen());

    const qint64 sent = steadyNowMs();
    ASSERT_TRUE(pty_.send(QByteArray("\x01\xA5", 2)));
    // The user-interface thread is busy; the reader stamps the bytes all the same.
    QThread::msleep(300);
    const qint64 secondSent = steadyNowMs();
    ASSERT_TRUE(pty_.send(QByteArray("\xFF", 1)));
    ASSERT_TRUE(pumpUntil([&] { return got_.size() == 3; }, 2000));
    EXPECT_EQ(got_[0].value, 0x01);
    EXPECT_EQ(got_[1].value, 0xA5);
    EXPECT_EQ(got_[2].value, 0xFF);
    EXPECT_LE(got_[0].monotonicMs - sent, 20);
    EXPECT_GE(got_[0].monotonicMs, sent);
    EXPECT_GE(got_[2].monotonicMs, secondSent);
    EXPECT_LE(got_[2].monotonicMs - secondSent, 20);
    EXPECT_NEAR(double(got_[0].wallMs), double(QDateTime::currentMSecsSinceEpoch() - 300), 200);
    EXPECT_TRUE(port.takeReceived().empty());
    EXPECT_TRUE(lost_.isEmpty());
}

TEST_F(PosixSerialPortTest, ConfigureSets9600EightNoneOneWithoutFlowControl) {
    PosixSerialPort port;
    ASSERT_TRUE(port.open("COM3"));
    // Someone else left the line at 1200 7E2 with hardware flow control.
    termios other{};
    ASSERT_EQ(::tcgetattr(pty_.master(), &other), 0);
    ::cfsetispeed(&other, B1200);
    ::cfsetospeed(&other, B1200);
    other.c_cflag = (other.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
    other.c_iflag |= IXON | IXOFF;
    ASSERT_EQ(::tcsetattr(pty_.master(), TCSANOW, &other), 0);

    port.configure();
    EXPECT_TRUE(port.isOpen());
    termios line{};
    ASSERT_EQ(::tcgetattr(pty_.master(), &line), 0);
    EXPECT_EQ(::cfgetispeed(&line), speed_t(B9600));
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B9600));
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), tcflag_t(0));
}

TEST_F(PosixSerialPortTest, PortHeldInThisProcessIsRefusedByAnyName) {
    PosixSerialPort first;
    PosixSerialPort second;
    ASSERT_TRUE(first.open("COM3"));
    EXPECT_FALSE(second.open("COM3"));
    // Another link to the same device is the same port.
    EXPECT_FALSE(second.open("COM4"));
    EXPECT_FALSE(second.isOpen());
    EXPECT_TRUE(first.isOpen());
    first.close();
    EXPECT_TRUE(second.open("COM4"));
}

TEST_F(PosixSerialPortTest, PortHeldByAnotherProcessIsRefusedHoweverItIsHeld) {
    for (const char* how : {"open", "flock"}) {
        Holder holder(pty_.slavePath(), how);
        ASSERT_TRUE(holder.holding()) << how;
        PosixSerialPort port;
        EXPECT_FALSE(port.open("COM3")) << how;
        holder.release();
        EXPECT_TRUE(port.open("COM3")) << how << ": free once the other process lets go";
    }
}

TEST_F(PosixSerialPortTest, AnotherProgramsLockFileIsLeftAlone) {
    // A lock file in the old convention, by a program long gone; it is not ours to judge.
    const QString name = QFileInfo(pty_.slavePath()).fileName();
    QStringList lockFiles;
    for (const QString& dir : {QStringLiteral("/var/lock"), QDir::tempPath()}) {
        QFile lock(dir + "/LCK.." + name);
        if (lock.open(QIODevice::WriteOnly)) {
            lock.write("     99999\n");
            lock.close();
            lockFiles << lock.fileName();
        }
    }
    ASSERT_FALSE(lockFiles.isEmpty());
    {
        PosixSerialPort port;
        EXPECT_TRUE(port.open("COM3"));
        port.close();
    }
    for (const QString& file : lockFiles) {
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
        QFile::remove(file);
    }
}

TEST_F(PosixSerialPortTest, MissingOrUnknownPortFails) {
    PosixSerialPort port;
    for (const char* name : {"COM5", "COM0", "COM11", "foo"}) {
        EXPECT_FALSE(port.open(name)) << name;
        EXPECT_FALSE(port.isOpen()) << name;
    }
    EXPECT_TRUE(port.takeReceived().empty());
    port.close();
    port.configure();
    port.setRts(true);
}

TEST_F(PosixSerialPortTest, HangUpIsReportedOnceWithoutSpinningAndANewDeviceOpens) {
    PosixSerialPort port;
    collect(port);
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    ASSERT_TRUE(pty_.send("ab"));
    ASSERT_TRUE(pumpUntil([&] { return got_.size() == 2; }, 2000));

    pty_.closeMaster();
    ASSERT_TRUE(pumpUntil([&] { return !lost_.isEmpty(); }, 2000));
    EXPECT_FALSE(port.isOpen());
    QElapsedTimer wall;
    wall.start();
    const qint64 cpuBefore = processCpuMs();
    pumpUntil([] { return false; }, 300);
    EXPECT_LT(processCpuMs() - cpuBefore, wall.elapsed() / 10) << "no error storm";
    EXPECT_EQ(lost_.size(), 1);

    // The adapter comes back under the same name.
    PseudoTerminal replugged;
    ASSERT_TRUE(QFile::remove(ports_.filePath("com3")));
    ASSERT_TRUE(QFile::link(replugged.slavePath(), ports_.filePath("com3")));
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    ASSERT_TRUE(replugged.send("c"));
    ASSERT_TRUE(pumpUntil([&] { return got_.size() == 3; }, 2000));
    EXPECT_EQ(got_[2].value, 'c');
}

TEST_F(PosixSerialPortTest, CloseDropsWhatWasNotTakenAndIsQuiet) {
    PosixSerialPort port;
    int notices = 0;
    port.onReceived = [&] { ++notices; };
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    ASSERT_TRUE(pty_.send("xyz"));
    ASSERT_TRUE(pumpUntil([&] { return notices > 0; }, 2000));
    port.close();
    EXPECT_TRUE(port.takeReceived().empty());
    ASSERT_TRUE(port.open("COM3")) << "reopening after a close";
    port.close();
    port.close();
}

} // namespace
} // namespace zorvat
