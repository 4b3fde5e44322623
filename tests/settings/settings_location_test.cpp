// SPDX-License-Identifier: GPL-3.0-or-later
// Which kq.ini the program uses: beside a portable copy that may write there, otherwise in the
// user's configuration folder. Runs as an ordinary user, as root in a child that gives root up.
#include "ordinary_user.h"
#include "qt_printers.h"
#include "scoped_env.h"
#include "settings_file.h"
#include "settings_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zorvat {
namespace {

enum class Beside { None, Writable, ReadOnly };

struct Case {
    const char* name;
    bool installed; // <prefix>/share/zorvat next to <prefix>/bin
    bool folderWritable;
    Beside file;
    bool keptBeside;
};

const Case kCases[] = {
    {"portable copy in its own folder", false, true, Beside::None, true},
    {"portable copy with its file", false, true, Beside::Writable, true},
    {"closed folder, file the user may write", false, false, Beside::Writable, true},
    {"closed folder, read-only file", false, false, Beside::ReadOnly, false},
    {"closed folder, no file", false, false, Beside::None, false},
    {"installed copy", true, false, Beside::None, false},
    {"installed copy in a folder the user may write", true, true, Beside::Writable, false},
};

bool setMode(const QString& path, QFile::Permissions mode) {
    return QFile::setPermissions(path, mode);
}

const QFile::Permissions kOpenFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
const QFile::Permissions kClosedFolder = QFile::ReadOwner | QFile::ExeOwner;

// Failures so far in this test, so that a child reports only its own.
int failures() {
    const ::testing::TestResult* result =
        ::testing::UnitTest::GetInstance()->current_test_info()->result();
    int count = 0;
    for (int i = 0; i < result->total_part_count(); ++i)
        count += result->GetTestPartResult(i).failed() ? 1 : 0;
    return count;
}

void check(const Case& c) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(QStringLiteral("prefix/bin"));
    const QString beside = QDir(bin).filePath(QStringLiteral("kq.ini"));
    const QString config = root.filePath(QStringLiteral("home/.config/zorvat"));
    const QString inConfig = QDir(config).filePath(QStringLiteral("kq.ini"));
    ASSERT_TRUE(QDir().mkpath(bin));
    if (c.installed) {
        ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("prefix/share/zorvat"))));
    }
    if (c.file != Beside::None) {
        QFile file(beside);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Cas]\nTyp=458\n");
        file.close();
        if (c.file == Beside::ReadOnly) {
            ASSERT_TRUE(setMode(beside, QFile::ReadOwner));
        }
    }
    if (!c.folderWritable) {
        ASSERT_TRUE(setMode(bin, kClosedFolder));
    }

    const QString chosen = chooseSettingsFile(bin, config);
    EXPECT_EQ(chosen, c.keptBeside ? beside : inConfig);
    // The configuration folder is made only when it is the one used.
    EXPECT_EQ(QFileInfo(config).isDir(), !c.keptBeside);
    if (!c.keptBeside) {
        // Written and read there, and found again by the next start.
        EXPECT_TRUE(SettingsFile(chosen).writeInt("Cas", "Typ", 470));
        EXPECT_EQ(SettingsFile(inConfig).readInt("Cas", "Typ", 0), 470);
        EXPECT_EQ(chooseSettingsFile(bin, config), inConfig);
        if (c.file == Beside::None) {
            EXPECT_FALSE(QFile::exists(beside));
        }
    }
    setMode(bin, kOpenFolder);
}

TEST(SettingsLocation, BesideAPortableCopyThatMayWriteThereElseInTheConfigFolder) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(asOrdinaryUser([&c] {
            const int before = failures();
            check(c);
            return failures() == before;
        }));
    }
}

TEST(SettingsLocation, ConfigFolderFollowsXdgAndIsSharedByBothEditions) {
    const ScopedEnv home("HOME", "/home/casomeric");
    {
        const ScopedEnv xdg("XDG_CONFIG_HOME", "/srv/nastaveni");
        EXPECT_EQ(userConfigFolder(), QStringLiteral("/srv/nastaveni/zorvat"));
    }
    const ScopedEnv unset("XDG_CONFIG_HOME", "");
    EXPECT_EQ(userConfigFolder(), QStringLiteral("/home/casomeric/.config/zorvat"));
}

} // namespace
} // namespace zorvat
