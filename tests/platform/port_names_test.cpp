// SPDX-License-Identifier: GPL-3.0-or-later
#include "port_names.h"
#include "scoped_env.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zorvat {
namespace {

// A ports folder with links to stand-in device files:
// com3 -> devices/ttyFake3, com10 -> devices/ttyFake10, com4 -> alias4 -> devices/ttyFake4,
// com6 -> devices/gone (dangling).
class PortNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir(root_.path()).mkpath("ports"));
        ASSERT_TRUE(QDir(root_.path()).mkpath("devices"));
        for (const char* device : {"ttyFake3", "ttyFake10", "ttyFake4"}) {
            QFile file(devices() + "/" + device);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QFile::link(devices() + "/ttyFake3", ports() + "/com3"));
        ASSERT_TRUE(QFile::link(devices() + "/ttyFake10", ports() + "/com10"));
        ASSERT_TRUE(QFile::link(devices() + "/ttyFake4", ports() + "/alias4"));
        ASSERT_TRUE(QFile::link(ports() + "/alias4", ports() + "/com4"));
        ASSERT_TRUE(QFile::link(devices() + "/gone", ports() + "/com6"));
    }

    QString ports() const { return root_.path() + "/ports"; }
    // Canonical, because the temporary folder itself may sit behind a link.
    QString devices() const { return QDir(root_.path() + "/devices").canonicalPath(); }

    QTemporaryDir root_;
};

struct NameCase {
    const char* comName;
    // "device:X" is devices/X, "link:X" is ports/X, anything else is literal.
    const char* expected;
    PortSource source = PortSource::None;
};

TEST_F(PortNamesTest, ResolvesComNamesThroughLinksThenTtyUsbThenTtyS) {
    // Adapters present for COM3, COM5 and COM10; links win over them.
    const QSet<QString> usbPresent{"/dev/ttyUSB2", "/dev/ttyUSB4", "/dev/ttyUSB9"};
    QStringList asked;
    const auto deviceExists = [&](const QString& path) {
        asked << path;
        return usbPresent.contains(path);
    };
    const NameCase cases[] = {
        {"COM3", "device:ttyFake3", PortSource::Link},
        {"com3", "device:ttyFake3", PortSource::Link},
        {"COM10", "device:ttyFake10", PortSource::Link},
        {"COM4", "device:ttyFake4", PortSource::Link}, // link to a link
        // A dangling link: no silent fallback to another port.
        {"COM6", "link:com6", PortSource::Link},
        // com10 must not be taken for com1.
        {"COM1", "/dev/ttyS0", PortSource::BuiltIn},
        {"Com2", "/dev/ttyS1", PortSource::BuiltIn},
        {"com5", "/dev/ttyUSB4", PortSource::UsbAdapter},
        {"COM7", "/dev/ttyS6", PortSource::BuiltIn},
        {"COM9", "/dev/ttyS8", PortSource::BuiltIn},
        {"COM0", ""},
        {"COM11", ""},
        {"COM01", ""},
        {"COM", ""},
        {"COM3 ", ""},
        {"foo", ""},
        {"", ""},
        {"/dev/ttyS0", ""},
    };
    for (const NameCase& c : cases) {
        QString expected = QString::fromLatin1(c.expected);
        if (expected.startsWith("device:"))
            expected = devices() + "/" + expected.mid(7);
        else if (expected.startsWith("link:"))
            expected = ports() + "/" + expected.mid(5);
        const ResolvedPort r =
            resolveComPort(QString::fromLatin1(c.comName), ports(), deviceExists);
        EXPECT_EQ(r.device, expected) << "for " << c.comName;
        EXPECT_EQ(r.source, c.source) << "for " << c.comName;
    }
    // Only the fallbacks look at /dev, and each asks for its own adapter.
    EXPECT_EQ(asked, (QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB4", "/dev/ttyUSB6",
                                  "/dev/ttyUSB8"}));
}

TEST_F(PortNamesTest, MissingFolderFallsBackToDevices) {
    const auto noUsb = [](const QString&) { return false; };
    EXPECT_EQ(resolveComPort("COM3", root_.path() + "/nowhere", noUsb).device, "/dev/ttyS2");
    EXPECT_EQ(resolveComPort("COM10", root_.path() + "/nowhere", noUsb).device, "/dev/ttyS9");
}

TEST_F(PortNamesTest, FolderComesFromEnvironmentElseHome) {
    {
        ScopedEnv env("ZORVAT_PORTS", ports().toLocal8Bit());
        EXPECT_EQ(comPortsFolder(), ports());
        EXPECT_EQ(resolveComPort("COM3").device, devices() + "/ttyFake3");
    }
    ScopedEnv unset("ZORVAT_PORTS", QByteArray());
    ScopedEnv home("HOME", root_.path().toLocal8Bit());
    ASSERT_TRUE(QDir(root_.path()).mkpath(".zorvat/ports"));
    ASSERT_TRUE(QFile::link(devices() + "/ttyFake10", root_.path() + "/.zorvat/ports/com2"));
    EXPECT_EQ(comPortsFolder(), root_.path() + "/.zorvat/ports");
    EXPECT_EQ(resolveComPort("COM2").device, devices() + "/ttyFake10");
}

} // namespace
} // namespace zorvat
