// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part of kq.ini: what is read at creation and written at close.
#include "outer_geometry.h"
#include "settings_file.h"
#include "tfrmcas.h"
#include "tfrmled.h"
#include "version_table.h"

#include <QDir>

namespace zorvat {

namespace {

// A stored index outside the list leaves it without a selection.
void selectStored(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

QRect storedGeometry(const SettingsFile& ini, const char* section, QRect def) {
    const int left = ini.readInt(section, "Left", def.left());
    const int height = ini.readInt(section, "Height", def.height());
    const int top = ini.readInt(section, "Top", def.top());
    const int width = ini.readInt(section, "Width", def.width());
    return {left, top, width, height};
}

bool writeGeometry(SettingsFile& ini, const char* section, const QRect& r) {
    return ini.writeInt(section, "Left", r.left()) && ini.writeInt(section, "Height", r.height()) &&
           ini.writeInt(section, "Top", r.top()) && ini.writeInt(section, "Width", r.width());
}

} // namespace

void TfrmCas::readMainSettings(const SettingsFile& ini) {
    setOuterGeometry(this, storedGeometry(ini, "Cas", {0, 10, 462, 328}));
    selectStored(CBformat_casu, ini.readInt("Clip", "format", 0));
    selectStored(CBmezicasy, ini.readInt("Clip", "mezi", 0));
    verze = ini.readInt("Cas", "Typ", 454);
}

void TfrmCas::readBoardSettings(const SettingsFile& ini) {
    selectStored(CBFormat, ini.readInt("LED", "Format", 0));
    edtM0->setText(ini.readString("LED", "M0"));
    edtM1->setText(ini.readString("LED", "M1"));
    edtM2->setText(ini.readString("LED", "M2"));
    edtMR->setText(ini.readString("LED", "MR"));
    setOuterGeometry(frmLED_.get(), storedGeometry(ini, "LED", {450, 10, 462, 328}));
}

// Writes stop at the first failure, which is reported; the caller keeps the window open.
bool TfrmCas::writeSettings(SettingsFile& ini) {
    const int typ = CBverze->currentIndex();
    const bool ok = ini.writeInt("LED", "Format", CBFormat->currentIndex()) &&
                    ini.writeString("LED", "M0", edtM0->text()) &&
                    ini.writeString("LED", "M1", edtM1->text()) &&
                    ini.writeString("LED", "M2", edtM2->text()) &&
                    ini.writeString("LED", "MR", edtMR->text()) &&
                    writeGeometry(ini, "LED", outerGeometry(frmLED_.get())) &&
                    writeGeometry(ini, "Cas", outerGeometry(this)) &&
                    (typ < 0 || ini.writeInt("Cas", "Typ", versionTable()[typ].verze)) &&
                    ini.writeInt("Clip", "format", CBformat_casu->currentIndex()) &&
                    ini.writeInt("Clip", "mezi", CBmezicasy->currentIndex());
    if (!ok)
        s_.errors.show(
            QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(ini.path())));
    return ok;
}

} // namespace zorvat
