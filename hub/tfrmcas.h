// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "attempt_events.h"
#include "auto_size_label.h"
#include "automatic_stage.h"
#include "companion_link.h"
#include "course.h"
#include "edition.h"
#include "framing.h"
#include "services.h"
#include "settings_bytes.h"
#include "time_text.h"

#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace zorvat {

class TfrmLED;
class TimeSurface;
class SettingsFile;

// The main window and hub of the program: it owns the controls, whose texts double as
// state where the device protocol says so, and the handlers, which read the controls,
// call into the subsystems and write the controls back. Handlers are spread over the
// subsystem folders (device/hub, timing/hub); this file declares them all.
// What the hub's state fields hold at one moment, for the tools and the tests.
struct HubState {
    int verze = 0;
    std::uint8_t BCas = 0;
    std::uint8_t pocetB_Uvod = 0;
    int maxTime = 0;
    SettingsBytes nast{};
    int pripravaM = 0;
    int pripravaS = 0;
    bool t_cas = false;
    bool t_posun = false;
    QDateTime StartKQ;
    qint64 startMonotonicMs = 0;
    std::uint8_t casu = 0;
    std::uint8_t pcas = 0;
    bool prik_data = false;
    std::uint8_t bytu = 0;
    std::uint8_t pocetByte = 0;
    bool awaitingGreeting = false;
    bool decoding = false;
    bool linkLost = false;
    // Which timers run: the greeting's last byte, the greeting watchdog, the reconnect, the
    // countdown, the rotation of earlier times and the frame tick.
    bool greetingWaitRunning = false;
    bool watchdogRunning = false;
    bool reconnecting = false;
    bool countdownRunning = false;
    bool rotating = false;
    bool frameTickRunning = false;
    // The four time slots as the device's time commands filled them.
    std::array<DeviceTime, 4> casy{};
};

// The main window and hub of the program: it owns the controls, whose texts double as
// state where the device protocol says so, and the handlers, which read the controls,
// call into the subsystems and write the controls back. Its handlers are split by subsystem
// over the files of this folder; this file declares them all. The controls are reached from
// outside by their object names, as a user would find them.
class TfrmCas : public QWidget {
public:
    // The frame timer's interval in ms: each tick draws the running time and moves the
    // moving text.
    static constexpr int kFrameMs = 16;

    TfrmCas(Edition edition, Services services, QString settingsPath);
    ~TfrmCas() override;

    // The main window as the program starts it: built, created (settings, version step,
    // intro state, port probe), then its board window; the caller shows it.
    static std::unique_ptr<TfrmCas> start(Edition edition, Services services, QString settingsPath);

    Edition edition() const { return edition_; }
    // Everything that happens at the table goes to the companion first, then to these.
    void subscribe(AttemptEvents& subscriber) { events_.subscribe(subscriber); }
    const QString& settingsPath() const { return settingsPath_; }
    TfrmLED* frmLED() const { return frmLED_.get(); }
    HubState state() const;

    // Back to how start-up leaves the window, for a harness that serves many runs with one
    // pair of windows (frmcas_reset.cpp).
    void resetToIntro();

    // pressedMs: when the key went down, on the monotonic clock; the moment it is handled
    // when the platform gave no usable stamp.
    void FormKeyDown(int key, Qt::KeyboardModifiers shift, std::optional<qint64> pressedMs = {});

    // The whole results list (frmcas_results_export.cpp).
    void restoreResults(const std::vector<QString>& entries);
    QString allResultsText() const;
    void copyAllResults();
    void saveResultsCsv(const QString& file);
    // Writes this run's results to a CSV file; the error in the system's words, if any.
    std::function<std::optional<QString>(const QString& file)> exportResults;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void createBoard();
    // --- shell ---
    void schovat_form(bool co);

    // --- serial link and handshake ---
    void probePorts();
    void CBUvodChange();
    bool PrijmiByte(std::uint8_t& co);
    void bytesArrived();
    void tmrInTimer();
    void tmrVyprsTimer();
    void tmrRS232Timer();
    void linkLost(const QString& reason);
    void reconnectTick();
    void Nastav_uPC();
    void runCommand(std::uint8_t b);
    void startCommand();
    void targetStateDisplay(std::uint8_t b);
    void timeDataByte(std::uint8_t indata, const Framing::Byte& f);
    void attemptCompletion();
    void redisplay();

    // --- version step and clock ---
    void nastav_cas();
    void nastav_typ();
    void Nastaveni();
    void CBFormatChange();
    void CBverzeChange();
    void reset_cas();
    void loadCountdown();
    void tmrOdpocetTimer();
    void tmrPrepTimer();
    void tmrCas1Timer();

    // --- splits, results list and clipboard ---
    void mezicas(std::optional<qint64> pressedMs = {});
    bool CBCasChange(); // false when the clipboard refused the text
    void btnDelClick();
    void CBCasContextMenu(const QPoint& at);
    // true: the list must not see it
    bool CBCasKeyDown(int key, Qt::KeyboardModifiers shift, std::optional<qint64> pressedMs = {});

    // --- automatic start ---
    void btnAutomatClick();

    // --- companion requests ---
    void readActualTxt();

    // --- board window and moving text ---
    void SB_zobrClick();
    void captionChanged();
    void edtTextEnter();
    void edtTextExit();

    // --- time text forms of the slots ---
    QString CasToStr(int slot, bool ano) const;
    QString CasToStrOut(int slot, bool ano) const;
    QString Decode_Terc(int slot) const;
    std::uint8_t channelCodeOf(int slot) const;
    bool preved_cas(const QString& cas);

    // Panels
    QFrame* pnlCas;
    QFrame* pnlUloz;
    QFrame* pnl_ext;
    QFrame* pnlReklama;
    QFrame* pnlUvod;
    // Time panel
    QLabel* lblTyp;
    QLabel* lblCas;
    QLabel* lblCasD;
    QLabel* lblDraha;
    QLabel* lblPriprava;
    QLabel* lblTerce;
    QLabel* lblNCas;
    TimeSurface* DXCas1;
    // Results panel
    AutoSizeLabel* lblFormat;
    AutoSizeLabel* lblCasKQ;
    QComboBox* CBCas;
    QPushButton* btnDel;
    // Side panel
    QPushButton* SB_zobr;
    AutoSizeLabel* lblSDH1;
    QLineEdit* edtSDH;
    AutoSizeLabel* lblM0;
    QLineEdit* edtM0;
    AutoSizeLabel* lblM1;
    QLineEdit* edtM1;
    AutoSizeLabel* lblM2;
    QLineEdit* edtM2;
    AutoSizeLabel* lblMR;
    QLineEdit* edtMR;
    AutoSizeLabel* lblText;
    QLineEdit* edtText;
    AutoSizeLabel* lblMezicas;
    QPushButton* btnAutomat;
    AutoSizeLabel* lblM0C;
    AutoSizeLabel* lblM1C;
    AutoSizeLabel* lblM2C;
    AutoSizeLabel* lblMRC;
    // Picture panel
    QLabel* imgReklama;
    // Intro panel
    AutoSizeLabel* lblVerze;
    QComboBox* CBverze;
    AutoSizeLabel* lblFormatC;
    QComboBox* CBFormat;
    AutoSizeLabel* lblformat_casu;
    QComboBox* CBformat_casu;
    AutoSizeLabel* lblmezicasy;
    QComboBox* CBmezicasy;
    AutoSizeLabel* lblUvod;
    AutoSizeLabel* lblUvod1;
    QComboBox* CBUvod;
    // Shown over the results panel's heading while the device link is down.
    QLabel* linkNotice;
    // Beside the port list: how many results came back from a run that did not end cleanly.
    QLabel* restoreNotice;

    // The last greeting byte may still be on its way when the greeting is due.
    std::unique_ptr<Timer> tmrInWait;
    std::unique_ptr<Timer> tmrVyprs;
    std::unique_ptr<Timer> tmrReconnect;
    // Takes up bytes that arrived while a companion send was in flight.
    std::unique_ptr<Timer> tmrDeferred;
    std::unique_ptr<Timer> tmrOdpocet;
    std::unique_ptr<Timer> tmrPrep;
    std::unique_ptr<Timer> tmrCas;

    // Version and format
    int verze = 454;
    std::uint8_t BCas = 3;
    std::uint8_t pocetB_Uvod = 5;
    int maxTime = 999999;
    QString formatU;
    QString formatS;
    // Device settings
    SettingsBytes nast{};
    int pripravaM = 0;
    int pripravaS = 0;
    // Clock
    bool t_cas = false;
    bool t_posun = false;
    QDateTime StartKQ;
    qint64 startMonotonicMs = 0; // the monotonic reading taken with StartKQ
    std::uint8_t casu = 0;
    std::uint8_t pcas = 0;
    // Device stream
    std::deque<StampedByte> received; // read off the line, not yet taken by the handlers
    StampedByte indata;               // the byte taken last, with its arrival stamp
    Framing framing;
    std::array<DeviceTime, 4> casy{};
    std::array<qint32, 4> data_out{};
    // The split values of board rows 1 to 3, for the difference row.
    std::array<qint32, 3> splitTags{};

    void buildLayout();
    void buildTimePanel();
    void buildResultsPanel();
    void buildSidePanel();
    void buildPicturePanel();
    void buildIntroPanel();
    void createTimers();
    void connectHandlers();
    void connectBoard();
    bool putOnClipboard(const QString& text);
    void readMainSettings(const SettingsFile& ini);
    void readBoardSettings(const SettingsFile& ini);
    bool writeSettings(SettingsFile& ini);
    void setFormatCaption();
    void setCaptionEditsEnabled(bool on);
    void pairEntry(int a, int b, std::vector<ResultEntry>& entries);
    ResultEntry resultEntry(const QString& listed, const QString& outputText, bool pair);
    void addResults(const std::vector<ResultEntry>& entries);
    struct AttackSlots {
        int A = 0, B = 0, C = 0, D = 0;
    };
    AttackSlots twoAttackScan();
    void consumeBytes();
    void setLinkShown(bool up);
    void buildLinkNotice();
    void showStartCaptions();
    // Settings, version step and intro state, as at start-up.
    void showIntro();
    // The texts that double as state, each read in one place.
    CourseMode courseMode() const;
    void setAutomaticStage(AutomaticStage stage);
    std::optional<AutomaticStage> automaticStage() const;

    Edition edition_;
    Services s_;
    AttemptEventFanOut events_;
    CompanionLink companionLink_;
    QString settingsPath_;
    std::unique_ptr<TfrmLED> frmLED_;
    bool greetingAwaited_ = false;
    bool greetingDue_ = false;
    bool greetingWaitOver_ = false;
    bool decoding_ = false;
    bool consuming_ = false;
    bool linkLost_ = false;
    bool settingsWriteFailed_ = false;
};

} // namespace zorvat
