// SPDX-License-Identifier: GPL-3.0-or-later
// Where kq.ini is written from: a folder the user may not write to, and files that belong to
// someone else. Runs as an ordinary user too; as root, the checks that need a user without
// rights run in a child process that gives root up.
#include "ordinary_user.h"
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace zorvat {
namespace {

const QByteArray kOriginal("; by hand\n[LED]\nFormat=1\n\n\n[Zvuk]\nHlasitost=5\n");

struct stat statOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    return st;
}

void writeRaw(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

bool writeTwoValues(const QString& path) {
    SettingsFile file(path);
    return file.writeInt("LED", "Format", 2) &&
           file.writeString("Cas", "Left", QStringLiteral("Zorvatice"));
}

class SettingsFileOwner : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // The child that gives root up still has to reach the files.
        ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
    }
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir_;
};

void expectWritten(const QString& path) {
    SettingsFile reread(path);
    EXPECT_EQ(reread.readInt("LED", "Format", -1), 2);
    EXPECT_EQ(reread.readString("Cas", "Left"), QStringLiteral("Zorvatice"));
    EXPECT_EQ(reread.readInt("Zvuk", "Hlasitost", -1), 5);
}

// A program installed in a folder of the administrator's, with a kq.ini the user may write.
TEST_F(SettingsFileOwner, AFolderTheUserMayNotWriteToIsWrittenInPlace) {
    const QString folder = path("closed");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString ini = folder + QStringLiteral("/kq.ini");
    writeRaw(ini, kOriginal);
    const QByteArray iniName = QFile::encodeName(ini);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(iniName.constData(), kNobody, kNoGroup), 0);
    }
    ASSERT_EQ(chmod(iniName.constData(), 0640), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    const struct stat before = statOf(ini);

    EXPECT_TRUE(asOrdinaryUser([&] { return writeTwoValues(ini); }));

    const struct stat after = statOf(ini);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    expectWritten(ini);
    EXPECT_EQ(after.st_ino, before.st_ino) << "written in place";
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"kq.ini"});
}

// Where the folder allows it the new content goes through a temporary file renamed over the
// old one; the file keeps its owner and mode all the same.
TEST_F(SettingsFileOwner, ARenamedFileKeepsItsOwnerAndMode) {
    const struct {
        const char* name;
        bool otherOwner; // needs root to set up
        mode_t mode;
    } cases[] = {
        {"own file, owner only", false, 0600},       {"own file, others may read", false, 0644},
        {"own file, group may write", false, 0660},  {"another user's file", true, 0664},
        {"another user's private file", true, 0600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.otherOwner && geteuid() != 0)
            continue; // only root can give a file to someone else
        const QString ini = path("kq.ini");
        writeRaw(ini, kOriginal);
        const QByteArray iniName = QFile::encodeName(ini);
        if (c.otherOwner) {
            ASSERT_EQ(chown(iniName.constData(), kNobody, kNoGroup), 0);
        }
        ASSERT_EQ(chmod(iniName.constData(), c.mode), 0);
        const struct stat before = statOf(ini);
        // Held open, the old file keeps its inode number from being given to the new one.
        QFile old(ini);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));

        EXPECT_TRUE(writeTwoValues(ini));

        const struct stat after = statOf(ini);
        expectWritten(ini);
        EXPECT_NE(after.st_ino, before.st_ino) << "replaced through a temporary file";
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kq.ini"});
        QFile::remove(ini);
    }
}

} // namespace
} // namespace zorvat
