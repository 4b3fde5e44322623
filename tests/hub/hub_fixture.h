// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls.h"
#include "fake_world.h"
#include "qt_printers.h"
#include "tfrmcas.h"
#include "tfrmled.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace zorvat {

// The main window with fakes around it, in virtual time, started as the program starts it.
class Hub : public ::testing::Test, protected FakeWorld {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TfrmCas> frm;

    Hub() { serial.existing = {QStringLiteral("COM1"), QStringLiteral("COM3")}; }

    // A control of the main window, by its object name.
    template <class T = QWidget> T* ui(const char* name) const { return control<T>(*frm, name); }

    QString iniPath() const { return dir.filePath(QStringLiteral("kq.ini")); }

    void writeIni(const QByteArray& text) {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QByteArray readIni() const {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void start(Edition edition = Edition::Difference, QString path = {}) {
        // A fresh program: the previous one's port is released.
        frm.reset();
        serial.close();
        frm = TfrmCas::start(edition,
                             Services{time, time, serial, errors, companion, clipboard, sounds},
                             path.isEmpty() ? iniPath() : path);
    }

    // The user picks an entry of a list, as the mouse or keyboard would.
    static void pick(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    void pickPort(const QString& name) {
        pick(ui<QComboBox>("CBUvod"), ui<QComboBox>("CBUvod")->findText(name));
    }

    bool closeWindow() { return frm->close(); }
};

} // namespace zorvat
