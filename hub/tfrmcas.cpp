// SPDX-License-Identifier: GPL-3.0-or-later
#include "tfrmcas.h"

#include "key_stamp.h"
#include "settings_file.h"
#include "tfrmled.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace zorvat {

TfrmCas::TfrmCas(Edition edition, Services services, QString settingsPath)
    : edition_(edition), s_(services),
      companionLink_(s_.companion,
                     {[this] { events_.deviceSettings(verze, nast[0]); },
                      [this] { events_.versionAndPrecision(verze, CBFormat->currentIndex()); },
                      [this] { readActualTxt(); }}),
      settingsPath_(std::move(settingsPath)) {
    events_.subscribe(companionLink_);
    buildLayout();
    createTimers();
    connectHandlers();
}

void TfrmCas::connectHandlers() {
    // activated fires only for the user's picks (mouse or keyboard), never for selections the
    // program makes.
    connect(CBUvod, &QComboBox::activated, this, [this] { CBUvodChange(); });
    connect(CBFormat, &QComboBox::activated, this, [this] { CBFormatChange(); });
    if (edition_ == Edition::FourSplit)
        connect(CBverze, &QComboBox::activated, this, [this] { CBverzeChange(); });
    connect(CBCas, &QComboBox::activated, this, [this] { CBCasChange(); });
    connect(btnDel, &QPushButton::clicked, this, [this] { btnDelClick(); });
    connect(SB_zobr, &QPushButton::clicked, this, [this] { SB_zobrClick(); });
    connect(btnAutomat, &QPushButton::clicked, this, [this] { btnAutomatClick(); });
    s_.serial.onReceived = [this] { bytesArrived(); };
    s_.serial.onLost = [this](const QString& reason) { linkLost(reason); };
    for (QLineEdit* e : {edtSDH, edtM0, edtM1, edtM2, edtMR, edtText})
        connect(e, &QLineEdit::textChanged, this, [this] { captionChanged(); });
    CBCas->installEventFilter(this);
    CBCas->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(CBCas, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { CBCasContextMenu(at); });
    edtText->installEventFilter(this);
}

bool TfrmCas::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CBCas && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return CBCasKeyDown(key->key(), key->modifiers(), keyPressMoment(*key, s_.clock));
    }
    if (watched == edtText &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // Only focus moving between controls counts, not the window being (de)activated.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            event->type() == QEvent::FocusIn ? edtTextEnter() : edtTextExit();
    }
    return QWidget::eventFilter(watched, event);
}

TfrmCas::~TfrmCas() {
    s_.serial.onReceived = nullptr;
    s_.serial.onLost = nullptr;
}

void TfrmCas::createTimers() {
    // The line's read time-out: how long the last greeting byte is waited for.
    tmrInWait = s_.timers.create(1010, [this] {
        greetingWaitOver_ = true;
        consumeBytes();
    });
    tmrVyprs = s_.timers.create(5000, [this] { tmrVyprsTimer(); });
    tmrReconnect = s_.timers.create(500, [this] { reconnectTick(); });
    tmrDeferred = s_.timers.create(1, [this] {
        tmrDeferred->setEnabled(false);
        consumeBytes();
    });
    tmrOdpocet = s_.timers.create(1000, [this] { tmrOdpocetTimer(); });
    tmrPrep = s_.timers.create(2000, [this] { tmrPrepTimer(); });
    // One frame per display refresh; a 1 ms poll here would only burn a core.
    // It runs only while the running time or the moving text needs frames.
    tmrCas = s_.timers.create(kFrameMs, [this] { tmrCas1Timer(); });
}

HubState TfrmCas::state() const {
    return {
        .verze = verze,
        .BCas = BCas,
        .pocetB_Uvod = pocetB_Uvod,
        .maxTime = maxTime,
        .nast = nast,
        .pripravaM = pripravaM,
        .pripravaS = pripravaS,
        .t_cas = t_cas,
        .t_posun = t_posun,
        .StartKQ = StartKQ,
        .startMonotonicMs = startMonotonicMs,
        .casu = casu,
        .pcas = pcas,
        .prik_data = framing.prik_data,
        .bytu = framing.bytu,
        .pocetByte = framing.pocetByte,
        .awaitingGreeting = greetingAwaited_,
        .decoding = decoding_,
        .linkLost = linkLost_,
        .greetingWaitRunning = tmrInWait->isEnabled(),
        .watchdogRunning = tmrVyprs->isEnabled(),
        .reconnecting = tmrReconnect->isEnabled(),
        .countdownRunning = tmrOdpocet->isEnabled(),
        .rotating = tmrPrep->isEnabled(),
        .frameTickRunning = tmrCas->isEnabled(),
        .casy = casy,
    };
}

std::unique_ptr<TfrmCas> TfrmCas::start(Edition edition, Services services, QString settingsPath) {
    auto frm = std::make_unique<TfrmCas>(edition, services, std::move(settingsPath));
    frm->FormCreate();
    frm->createBoard();
    return frm;
}

void TfrmCas::FormCreate() {
    showIntro();
    probePorts();
}

void TfrmCas::showIntro() {
    {
        const SettingsFile ini(settingsPath_);
        readMainSettings(ini);
        lblTyp->setText(QStringLiteral("Měří: 1-2 štafety, 1 útok, přípravu"));
        nastav_typ();
    }
    schovat_form(false);
}

void TfrmCas::createBoard() {
    frmLED_ = std::make_unique<TfrmLED>(this, s_.timers);
    connectBoard();
    readBoardSettings(SettingsFile(settingsPath_));
    // A hidden window gets no resize events; lay it out for the stored size now.
    frmLED_->PrekresliLED();
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

// The space bar takes a split while the clock runs; modifiers do not matter.
void TfrmCas::FormKeyDown(int key, Qt::KeyboardModifiers, std::optional<qint64> pressedMs) {
    if (key == Qt::Key_Space && t_cas)
        mezicas(pressedMs);
}

// Keys a control leaves unused travel up to the window, Ctrl+Space from an edit box among
// them; only those typed while no control has the focus are the window's own.
void TfrmCas::keyPressEvent(QKeyEvent* event) {
    if (!focusWidget() || focusWidget() == this)
        FormKeyDown(event->key(), event->modifiers(), keyPressMoment(*event, s_.clock));
}

// A failed settings write keeps the window open once, with the error; the next close quits
// without trying again, so a timekeeper is never locked in.
void TfrmCas::closeEvent(QCloseEvent* event) {
    if (!settingsWriteFailed_) {
        s_.serial.close();
        SettingsFile ini(settingsPath_);
        if (!writeSettings(ini)) {
            settingsWriteFailed_ = true;
            event->ignore();
            return;
        }
    }
    event->accept();
    QCoreApplication::quit();
}

} // namespace zorvat
