#include "tfrmcas.h"

#include "settings_file.h"
#include "tfrmled.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace zorvat {

TfrmCas::TfrmCas(Edition edition, Services services, QString settingsPath)
    : edition_(edition), s_(services), settingsPath_(std::move(settingsPath)) {
    buildLayout();
    createTimers();

    // activated fires only for the user's picks, never for selections the program makes.
    connect(CBUvod, &QComboBox::activated, this, [this] { CBUvodChange(); });
    connect(CBFormat, &QComboBox::activated, this, [this] { CBFormatChange(); });
    if (edition_ == Edition::FourSplit)
        connect(CBverze, &QComboBox::activated, this, [this] { CBverzeChange(); });
}

TfrmCas::~TfrmCas() = default;

void TfrmCas::createTimers() {
    tmrIn = s_.timers.create(1, [this] { tmrInTimer(); });
    tmrVyprs = s_.timers.create(5000, [this] { tmrVyprsTimer(); });
    tmrRS232 = s_.timers.create(1, [this] { tmrRS232Timer(); });
    tmrOdpocet = s_.timers.create(1000, [this] { tmrOdpocetTimer(); });
    tmrPrep = s_.timers.create(2000, [this] { tmrPrepTimer(); });
    // One frame per display refresh; a 1 ms poll here would only burn a core.
    tmrCas = s_.timers.create(16, [this] { tmrCas1Timer(); });
    tmrCas->setEnabled(true);
}

void TfrmCas::FormCreate() {
    {
        const SettingsFile ini(settingsPath_);
        readMainSettings(ini);
        lblTyp->setText(QStringLiteral("Měří: 1-2 štafety, 1 útok, přípravu"));
        nastav_typ();
    }
    schovat_form(false);
    probePorts();
}

void TfrmCas::createBoard() {
    frmLED_ = std::make_unique<TfrmLED>(this, s_.timers);
    readBoardSettings(SettingsFile(settingsPath_));
}

void TfrmCas::schovat_form(bool co) {
    pnlReklama->setVisible(!co);
    pnlUvod->setVisible(!co);
    pnlCas->setVisible(co);
    pnlUloz->setVisible(co);
    pnl_ext->setVisible(co);
    if (!co) {
        lblUvod->setText(QStringLiteral("Vyberte komunikační port a zapněte časomíru:"));
        lblUvod1->setText(QString());
    }
}

void TfrmCas::FormKeyDown(int key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Space || !t_cas)
        return;
}

void TfrmCas::keyPressEvent(QKeyEvent* event) { FormKeyDown(event->key(), event->modifiers()); }

void TfrmCas::closeEvent(QCloseEvent* event) {
    s_.serial.close();
    SettingsFile ini(settingsPath_);
    if (!writeSettings(ini)) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

} // namespace zorvat
