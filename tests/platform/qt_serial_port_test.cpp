#include "qt_serial_port.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace zorvat {
namespace {

// A pseudo-terminal; its slave side plays the serial device, the master the timing device.
class PseudoTerminal {
public:
    PseudoTerminal() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            slavePath_ = QString::fromLocal8Bit(name);
    }
    // The slave is kept open to the end so that its number cannot pass to another
    // process's terminal while a port here still holds the lock named after it.
    ~PseudoTerminal() {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return master_ >= 0; }
    const QString& slavePath() const { return slavePath_; }
    int master() const { return master_; }
    bool send(const QByteArray& bytes) {
        return ::write(master_, bytes.constData(), bytes.size()) == bytes.size();
    }
    // What a pulled-out adapter looks like from the port's side.
    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};

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

// COM3 and COM4 are links to the same pseudo-terminal, COM5 is a link to nothing.
class QtSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.isValid());
        ASSERT_TRUE(ports_.isValid());
        ASSERT_TRUE(QFile::link(pty_.slavePath(), ports_.filePath("com3")));
        ASSERT_TRUE(QFile::link(pty_.slavePath(), ports_.filePath("com4")));
        ASSERT_TRUE(QFile::link(ports_.filePath("gone"), ports_.filePath("com5")));
        hadPorts_ = qEnvironmentVariableIsSet("ZORVAT_PORTS");
        oldPorts_ = qgetenv("ZORVAT_PORTS");
        qputenv("ZORVAT_PORTS", ports_.path().toLocal8Bit());
    }
    void TearDown() override {
        if (hadPorts_)
            qputenv("ZORVAT_PORTS", oldPorts_);
        else
            qunsetenv("ZORVAT_PORTS");
    }

    PseudoTerminal pty_;
    QTemporaryDir ports_;
    bool hadPorts_ = false;
    QByteArray oldPorts_;
};

TEST_F(QtSerialPortTest, ReadsBytesSentByTheDevice) {
    QtSerialPort port;
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    // A pseudo-terminal has no RTS or DTR; refusing them must not close the line.
    port.setRts(true);
    port.setDtr(true);
    ASSERT_TRUE(port.isOpen());

    ASSERT_TRUE(pty_.send(QByteArray("\x01\xA5\xFF", 3)));
    ASSERT_TRUE(pumpUntil([&] { return port.bytesWaiting() == 3; }, 2000));
    QElapsedTimer clock;
    clock.start();
    std::uint8_t byte = 0;
    ASSERT_TRUE(port.readByte(byte));
    EXPECT_EQ(byte, 0x01);
    ASSERT_TRUE(port.readByte(byte));
    EXPECT_EQ(byte, 0xA5);
    ASSERT_TRUE(port.readByte(byte));
    EXPECT_EQ(byte, 0xFF);
    EXPECT_LT(clock.elapsed(), 200) << "buffered bytes must not wait";
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(QtSerialPortTest, ReadByteWaitsForAByteNotYetDelivered) {
    QtSerialPort port;
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    ASSERT_TRUE(pty_.send(QByteArray("\x7E", 1)));
    std::uint8_t byte = 0;
    ASSERT_TRUE(port.readByte(byte));
    EXPECT_EQ(byte, 0x7E);
}

TEST_F(QtSerialPortTest, ReadByteGivesUpAfterTheReadTimeOut) {
    QtSerialPort port;
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    std::uint8_t byte = 0x5A;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.readByte(byte));
    EXPECT_GE(clock.elapsed(), 950);
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_EQ(byte, 0x5A);
    EXPECT_TRUE(port.isOpen()) << "a time-out is no reason to close";
}

TEST_F(QtSerialPortTest, ConfigureSets9600EightNoneOneWithoutFlowControl) {
    QtSerialPort port;
    ASSERT_TRUE(port.open("COM3"));
    // Someone else leaves the line at 1200 7E2 with hardware flow control.
    termios other{};
    ASSERT_EQ(::tcgetattr(pty_.master(), &other), 0);
    ::cfsetispeed(&other, B1200);
    ::cfsetospeed(&other, B1200);
    other.c_cflag = (other.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
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

TEST_F(QtSerialPortTest, PortHeldElsewhereInThisProcessIsRefused) {
    QtSerialPort first;
    QtSerialPort second;
    ASSERT_TRUE(first.open("COM3"));
    EXPECT_FALSE(second.open("COM3"));
    EXPECT_FALSE(second.isOpen());
    // Another link to the same device, or the device itself, is the same port.
    EXPECT_FALSE(second.open("COM4"));
    QSerialPort direct;
    direct.setPortName(pty_.slavePath());
    EXPECT_FALSE(direct.open(QIODevice::ReadWrite));
    EXPECT_TRUE(first.isOpen());

    first.close();
    EXPECT_TRUE(second.open("COM4"));
}

TEST_F(QtSerialPortTest, PortOpenedByItsRealPathRefusesTheLink) {
    QSerialPort direct;
    direct.setPortName(pty_.slavePath());
    ASSERT_TRUE(direct.open(QIODevice::ReadWrite));
    QtSerialPort port;
    EXPECT_FALSE(port.open("COM3"));
    direct.close();
    EXPECT_TRUE(port.open("COM3"));
}

TEST_F(QtSerialPortTest, PortHeldByAnotherProcessIsRefused) {
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Holds COM3 until the parent is done with its attempt.
        ::close(toParent[0]);
        ::close(toChild[1]);
        QtSerialPort holder;
        const char opened = holder.open("COM3") ? '1' : '0';
        char done = 0;
        if (::write(toParent[1], &opened, 1) != 1 || ::read(toChild[0], &done, 1) < 0)
            ::_exit(2);
        holder.close();
        ::_exit(0);
    }
    ::close(toParent[1]);
    ::close(toChild[0]);
    char opened = 0;
    EXPECT_EQ(::read(toParent[0], &opened, 1), 1);
    EXPECT_EQ(opened, '1');
    QtSerialPort port;
    EXPECT_FALSE(port.open("COM3"));
    ::close(toChild[1]);
    ::close(toParent[0]);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(port.open("COM3")) << "released when the other process closes";
}

TEST_F(QtSerialPortTest, MissingOrUnknownPortFails) {
    QtSerialPort port;
    for (const char* name : {"COM5", "COM0", "COM11", "foo"}) {
        EXPECT_FALSE(port.open(name)) << name;
        EXPECT_FALSE(port.isOpen()) << name;
    }
    std::uint8_t byte = 0x33;
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_FALSE(port.readByte(byte));
    EXPECT_EQ(byte, 0x33);
}

TEST_F(QtSerialPortTest, ClosedPortIsInertAndCanReopen) {
    QtSerialPort port;
    port.close();
    port.configure();
    port.setRts(true);
    EXPECT_FALSE(port.isOpen());

    ASSERT_TRUE(port.open("COM3"));
    ASSERT_TRUE(port.open("COM3")) << "reopening releases the port first";
    ASSERT_TRUE(pty_.send("x"));
    ASSERT_TRUE(pumpUntil([&] { return port.bytesWaiting() == 1; }, 2000));
    port.close();
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.bytesWaiting(), 0);
    std::uint8_t byte = 0;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.readByte(byte));
    EXPECT_LT(clock.elapsed(), 100);
}

TEST_F(QtSerialPortTest, DeviceGoneWhileIdleClosesThePortWithoutSpinning) {
    QtSerialPort port;
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    ASSERT_TRUE(pty_.send("ab"));
    ASSERT_TRUE(pumpUntil([&] { return port.bytesWaiting() == 2; }, 2000));

    pty_.closeMaster();
    QElapsedTimer wall;
    wall.start();
    const qint64 cpuBefore = processCpuMs();
    pumpUntil([] { return false; }, 300);
    const qint64 cpuUsed = processCpuMs() - cpuBefore;
    // An error storm keeps a core busy for the whole wait.
    EXPECT_LT(cpuUsed, wall.elapsed() / 4);

    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.bytesWaiting(), 0);
    std::uint8_t byte = 0x11;
    EXPECT_FALSE(port.readByte(byte));
    EXPECT_EQ(byte, 0x11);
    port.close();
}

TEST_F(QtSerialPortTest, DeviceGoneWhileReadingEndsTheRead) {
    QtSerialPort port;
    ASSERT_TRUE(port.open("COM3"));
    port.configure();
    pty_.closeMaster();
    std::uint8_t byte = 0x22;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.readByte(byte));
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_EQ(byte, 0x22);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.readByte(byte));
}

} // namespace
} // namespace zorvat
