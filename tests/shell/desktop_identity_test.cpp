// SPDX-License-Identifier: GPL-3.0-or-later
// The windows carry the program's icon and belong to the edition's desktop entry.
#include "desktop_identity.h"
#include "qt_printers.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

#include <gtest/gtest.h>

using namespace zorvat;

namespace {

QString desktopEntryLine(const QString& entry, const char* key) {
    QFile file(QStringLiteral(ZORVAT_PACKAGING_DIR "/%1.desktop").arg(entry));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = QByteArray(key) + '=';
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size()));
    return {};
}

} // namespace

TEST(DesktopIdentity, EachEditionHasTheIconInEverySizeAndItsOwnDesktopEntry) {
    const struct {
        Edition edition;
        const char* program;
    } editions[] = {{Edition::Difference, "zorvat-d"}, {Edition::FourSplit, "zorvat-q"}};
    for (const auto& e : editions) {
        SCOPED_TRACE(e.program);
        presentToDesktop(*qApp, e.edition);
        // Drawn for each size, not scaled from one.
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        for (const int size : {16, 32, 48, 64, 128, 256})
            EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        EXPECT_EQ(QGuiApplication::desktopFileName(), desktopEntryName(e.edition));
        EXPECT_EQ(desktopEntryLine(desktopEntryName(e.edition), "Exec"), e.program);
        EXPECT_EQ(desktopEntryLine(desktopEntryName(e.edition), "Icon"), QStringLiteral("zorvat"));
    }
}
