// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with kq.ini where the program chooses it: a copy whose folder it may not
// write to keeps its settings in the configuration folder, and closing still succeeds.
#include "hub_fixture.h"
#include "ordinary_user.h"
#include "settings_location.h"

#include <QDir>
#include <QFile>

using namespace zorvat;

using SettingsPlace = Hub;

TEST_F(SettingsPlace, ClosedProgramFolderKeepsSettingsInTheConfigFolder) {
    // As root, in a child that has become an ordinary user, with folders of that user's own.
    EXPECT_TRUE(asOrdinaryUser([this] {
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("zorvat"));
        const QString config = root.filePath(QStringLiteral("home/.config/zorvat"));
        if (!QDir().mkpath(bin) || !QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner))
            return false;

        start(Edition::Difference, chooseSettingsFile(bin, config));
        ui<QLineEdit>("edtM0")->setText(QStringLiteral("Sání"));
        const bool closed = closeWindow();
        // The next start finds what the close wrote.
        start(Edition::FourSplit, chooseSettingsFile(bin, config));
        const bool kept = ui<QLineEdit>("edtM0")->text() == QStringLiteral("Sání");
        const bool where = QFile::exists(QDir(config).filePath(QStringLiteral("kq.ini"))) &&
                           !QFile::exists(QDir(bin).filePath(QStringLiteral("kq.ini")));
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_TRUE(closed);
        EXPECT_TRUE(kept);
        EXPECT_TRUE(where);
        EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join(QLatin1Char('\n')).toStdString();
        return closed && kept && where && errors.shown.isEmpty();
    }));
}
