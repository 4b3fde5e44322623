// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_session.h"

#include "fake_world.h"
#include "hub_access.h"
#include "journal_link.h"
#include "oracles.h"
#include "tfrmcas.h"
#include "tfrmled.h"
#include "version_table.h"
#include "window_dump.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <random>

namespace zorvat {

namespace {

// Waits beyond this total are skipped: a quiet stretch costs only the timers due in it, but
// while the moving text runs that is a frame every 16 ms. It is above the shortest display
// limit (99,999 s).
constexpr qint64 kMostWaitMs = 120000;
// Each run starts with the local clock at a whole multiple of this: the automatic start seeds
// its random pause with the clock's milliseconds, so every run sees the same pause.
constexpr qint64 kClockPhaseMs = qint64(1) << 32;

template <class W> W* child(const QWidget* window, const char* name) {
    W* w = window->findChild<W*>(QString::fromLatin1(name));
    fuzzCheck(w != nullptr, "a control is missing", QString::fromLatin1(name));
    return w;
}

// Passes the window's events to whoever follows the current run (a journal's link) and tells
// the harness of every completion.
struct Relay final : AttemptEvents {
    AttemptEvents* to = nullptr;
    std::function<void(const std::vector<ResultEntry>& entries)> onResults;
    void deviceSettings(int verze, std::uint8_t modeByte) override {
        if (to)
            to->deviceSettings(verze, modeByte);
    }
    void bytesReceived(const std::vector<StampedByte>& bytes) override {
        if (to)
            to->bytesReceived(bytes);
    }
    void started(const QDateTime& startKQ, qint64 monotonicMs) override {
        if (to)
            to->started(startKQ, monotonicMs);
    }
    void split(int row, qint32 value, const QString& text, const QString& caption) override {
        if (to)
            to->split(row, value, text, caption);
    }
    void resultsAdded(const std::vector<ResultEntry>& entries,
                      const std::shared_ptr<void>& shown) override {
        onResults(entries);
        if (to)
            to->resultsAdded(entries, shown);
    }
    void resultDeleted(int index) override {
        if (to)
            to->resultDeleted(index);
    }
    void reset() override {
        if (to)
            to->reset();
    }
};

} // namespace

struct FuzzSession::Table {
    FakeWorld world;
    QString folder;
    QString settingsPath;
    int writtenVerze = -1, writtenPrecision = -1;
    std::unique_ptr<TfrmCas> frm;
    Relay relay;
    // Controls, looked up by name once.
    QComboBox *CBUvod, *CBverze, *CBFormat, *CBformat_casu, *CBmezicasy, *CBCas;
    QLabel *lblCas, *lblCasD, *lblDraha, *lblPriprava, *lblTerce, *lblNCas;
    QFrame* pnlCas;
    QAbstractButton *SB_zobr, *btnAutomat, *btnDel;
    std::array<QLineEdit*, 6> boxes; // edtSDH, edtM0, edtM1, edtM2, edtMR, edtText
    std::array<QLabel*, 4> boardTimes;
    // The current run.
    RunRecord* record = nullptr;
    JournalLink* journal = nullptr;
    QString chunkCas, chunkCasD; // the two time labels before the bytes being decoded
    qsizetype entriesSeen = 0;
    std::size_t messagesSeen = 0;
    qint64 waited = 0;

    Table(Edition edition, const QString& sessionFolder) : folder(sessionFolder) {
        settingsPath =
            QDir(folder).filePath(edition == Edition::FourSplit ? QStringLiteral("kq-q.ini")
                                                                : QStringLiteral("kq-d.ini"));
        world.serial.existing = {QStringLiteral("COM1")};
        FakeWorld& w = world;
        frm = TfrmCas::start(
            edition,
            Services{w.time, w.time, w.serial, w.errors, w.companion, w.clipboard, w.sounds},
            settingsPath);
        // Showing the board once gives both windows their platform windows; from then on the
        // stored geometry is applied the same way by every reset.
        frm->frmLED()->show();
        frm->frmLED()->hide();
        relay.onResults = [this](const std::vector<ResultEntry>& entries) { completed(entries); };
        frm->subscribe(relay);
        const TfrmCas* f = frm.get();
        CBUvod = child<QComboBox>(f, "CBUvod");
        CBverze = child<QComboBox>(f, "CBverze");
        CBFormat = child<QComboBox>(f, "CBFormat");
        CBformat_casu = child<QComboBox>(f, "CBformat_casu");
        CBmezicasy = child<QComboBox>(f, "CBmezicasy");
        CBCas = child<QComboBox>(f, "CBCas");
        lblCas = child<QLabel>(f, "lblCas");
        lblCasD = child<QLabel>(f, "lblCasD");
        lblDraha = child<QLabel>(f, "lblDraha");
        lblPriprava = child<QLabel>(f, "lblPriprava");
        lblTerce = child<QLabel>(f, "lblTerce");
        lblNCas = child<QLabel>(f, "lblNCas");
        pnlCas = child<QFrame>(f, "pnlCas");
        SB_zobr = child<QAbstractButton>(f, "SB_zobr");
        btnAutomat = child<QAbstractButton>(f, "btnAutomat");
        btnDel = child<QAbstractButton>(f, "btnDel");
        int i = 0;
        for (const char* name : {"edtSDH", "edtM0", "edtM1", "edtM2", "edtMR", "edtText"})
            boxes[i++] = child<QLineEdit>(f, name);
        i = 0;
        for (const char* name : {"lblCas0", "lblCas1", "lblCas2", "lblCas3"})
            boardTimes[i++] = child<QLabel>(f->frmLED(), name);
    }

    // The settings file is written only when the set-up asks for other values than it holds.
    void writeSettings(const FuzzSetup& s) {
        if (s.verze == writtenVerze && s.precision == writtenPrecision)
            return;
        QFile ini(settingsPath);
        fuzzCheck(ini.open(QIODevice::WriteOnly), "settings file not writable", settingsPath);
        ini.write(QStringLiteral("[Cas]\nTyp=%1\n[LED]\nFormat=%2\n")
                      .arg(s.verze)
                      .arg(s.precision)
                      .toUtf8());
        writtenVerze = s.verze;
        writtenPrecision = s.precision;
    }

    void begin(const FuzzSetup& s, RunRecord& r) {
        writeSettings(s);
        frm->resetToIntro();
        VirtualTime& t = world.time;
        const qint64 phase = t.now().toMSecsSinceEpoch() % kClockPhaseMs;
        t.advance(phase == 0 ? 0 : kClockPhaseMs - phase);
        world.companion.sent.clear();
        world.errors.shown.clear();
        world.clipboard.text.clear();
        world.sounds.played.clear();
        world.serial.lines.clear();
        record = &r;
        entriesSeen = CBCas->count();
        messagesSeen = 0;
        waited = 0;
        greet(s);
    }

    // Picks COM1 and greets as the device of that firmware does: older firmware in its line
    // layout and followed by a reset; versions that wait for five bytes get the reset too.
    void greet(const FuzzSetup& s) {
        CBUvod->setCurrentIndex(CBUvod->findText(QStringLiteral("COM1")));
        emit CBUvod->activated(CBUvod->currentIndex());
        const auto row = std::find_if(versionTable().begin(), versionTable().end(),
                                      [&](const VersionRow& r) { return r.verze == s.verze; });
        const bool five = row == versionTable().end() || row->pocetB_Uvod == 5;
        DeviceBytes greeting{0x00, s.mode, s.target, s.flag};
        if (!isNewGreetingVersion(s.verze, frm->edition())) {
            greeting[1] = static_cast<std::uint8_t>((s.mode << 4) | (s.mode >> 4));
            greeting[2] = s.target & 0x0F;
        }
        if (five || !isNewGreetingVersion(s.verze, frm->edition()))
            greeting.push_back(0xAA);
        world.serial.feed(greeting.begin(), greeting.end());
        world.time.advance(10);
        fuzzCheck(!pnlCas->isHidden(), "the device did not greet");
        check();
    }

    void completed(const std::vector<ResultEntry>& entries) {
        const auto label = [](const QLabel* l, const QString& before) {
            return l->text() == before ? QStringLiteral("*") : l->text();
        };
        record->finalLabels << label(lblCas, chunkCas) << label(lblCasD, chunkCasD);
        const HubReading h = hubState(*frm);
        if (h.attack)
            return;
        QStringList texts;
        for (const ResultEntry& e : entries)
            texts << e.text;
        checkTrackCompletion(texts, h.timeCount, lblCas->text(), lblCasD->text());
    }

    void deliver(const DeviceBytes& bytes, Pacing pacing, std::mt19937& random) {
        std::size_t i = 0;
        while (i < bytes.size()) {
            std::size_t n = bytes.size() - i;
            qint64 gap = 1;
            if (pacing == Pacing::PerMillisecond) {
                n = 1;
            } else if (pacing == Pacing::RandomChunks) {
                n = std::min<std::size_t>(n, 1 + random() % 32);
                gap = random() % 21;
            }
            chunkCas = lblCas->text();
            chunkCasD = lblCasD->text();
            world.serial.feed(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                              bytes.begin() + static_cast<std::ptrdiff_t>(i + n));
            i += n;
            check();
            world.time.advance(gap);
        }
    }

    void wait(qint64 ms) {
        if (waited + ms > kMostWaitMs)
            return;
        waited += ms;
        // Frames that only show the clock's time leave what the last of them shows; frames
        // of a moving text each move it.
        world.time.advanceCollapsing(ms, TfrmCas::kFrameMs,
                                     [this] { return !frm->state().t_posun; });
    }

    // The focus entering or leaving a box, as a Tab key moves it: the windows are never shown.
    static void focusMoving(QLineEdit* box, QEvent::Type type) {
        QFocusEvent focus(type, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box, &focus);
    }

    // Typed as a user types, so that the typing limits apply: a printable character arrives as
    // an input method's commit, byte 8 as a Backspace key press, other control bytes as
    // nothing, which is what a key press of them makes. A disabled box takes no typing.
    // Commits spare the dozens of shortcut lookups Qt makes for every key press.
    void type(QLineEdit* box, const QByteArray& text) {
        if (!box->isEnabled())
            return;
        const bool moving = box == boxes[5];
        if (moving)
            focusMoving(box, QEvent::FocusIn);
        for (const char c : text) {
            const QChar ch = QChar::fromLatin1(c);
            if (c == '\b') {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
                QCoreApplication::sendEvent(box, &press);
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier);
                QCoreApplication::sendEvent(box, &release);
            } else if (ch.isPrint()) {
                QInputMethodEvent commit;
                commit.setCommitString(QString(ch));
                QCoreApplication::sendEvent(box, &commit);
            }
        }
        if (moving)
            focusMoving(box, QEvent::FocusOut);
    }

    void act(const Action& a) {
        switch (a.act) {
        case Act::Space:
            frm->FormKeyDown(Qt::Key_Space, Qt::NoModifier);
            break;
        case Act::Wait:
            wait(a.arg);
            break;
        case Act::PickVersion:
            CBverze->setCurrentIndex(a.arg % CBverze->count());
            emit CBverze->activated(CBverze->currentIndex());
            break;
        case Act::PickPrecision:
            CBFormat->setCurrentIndex(a.arg % CBFormat->count());
            emit CBFormat->activated(CBFormat->currentIndex());
            break;
        case Act::PickClipboard:
            CBformat_casu->setCurrentIndex(a.arg & 1);
            CBmezicasy->setCurrentIndex((a.arg >> 1) & 1);
            break;
        case Act::ToggleBoard:
            SB_zobr->click();
            break;
        case Act::ResizeBoard:
            frm->frmLED()->resize(a.arg, a.arg2);
            break;
        case Act::Type:
            type(boxes[static_cast<std::size_t>(a.arg)], a.text);
            break;
        case Act::ActualText: {
            // The program reads actual.txt from the working directory: the session's folder
            // for the time of the request, so that the fuzzer's own relative paths stay valid.
            const QString home = QDir::currentPath();
            QDir::setCurrent(folder);
            QFile file(QStringLiteral("actual.txt"));
            if (a.arg == 1) {
                file.remove();
            } else {
                fuzzCheck(file.open(QIODevice::WriteOnly), "actual.txt not writable");
                file.write(a.text);
            }
            file.close();
            world.companion.onMessage(1493, 0, 0);
            QDir::setCurrent(home);
            break;
        }
        case Act::AskSettings:
            world.companion.onMessage(a.arg ? 1494 : 1490, 0, 0);
            break;
        case Act::AutomaticStart:
            btnAutomat->click();
            break;
        case Act::SelectResult:
            CBCas->setCurrentIndex(a.arg % CBCas->count());
            emit CBCas->activated(CBCas->currentIndex());
            break;
        case Act::DeleteResult:
            btnDel->click();
            entriesSeen = CBCas->count();
            break;
        case Act::ListKey: {
            const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Space};
            QTest::keyClick(CBCas, keys[a.arg]);
            break;
        }
        }
        check();
    }

    // The oracles that hold after every step.
    void check() {
        if (journal) {
            // Results are listed once the journal has them on disk.
            journal->call([](Journal&) { return 0; });
            QCoreApplication::sendPostedEvents();
        }
        const HubReading h = hubState(*frm);
        fuzzCheck(h.casu <= 5, "casu out of 0..5", QString::number(h.casu));
        fuzzCheck(h.pcas <= 4, "pcas out of 0..4", QString::number(h.pcas));
        fuzzCheck(h.framingBytu <= 4 && h.framingPocetByte <= 4, "framing beyond four bytes");
        checkStateLabels(lblDraha->text(), lblPriprava->text(), lblTerce->text(), lblNCas->text(),
                         {boardTimes[0]->text(), boardTimes[1]->text(), boardTimes[2]->text(),
                          boardTimes[3]->text()});
        const auto& sent = world.companion.sent;
        if (entriesSeen == CBCas->count() && messagesSeen == sent.size())
            return;
        QStringList entries;
        for (qsizetype i = entriesSeen; i < CBCas->count(); ++i)
            entries << CBCas->itemText(static_cast<int>(i));
        entriesSeen = CBCas->count();
        std::vector<std::array<std::int32_t, 3>> results;
        for (; messagesSeen < sent.size(); ++messagesSeen)
            if (sent[messagesSeen][0] == 1491 || sent[messagesSeen][0] == 1492)
                results.push_back(sent[messagesSeen]);
        checkEntriesAgainstMessages(entries, results);
    }

    void end(bool withDump) {
        formAllSlots(*frm);
        RunRecord& r = *record;
        for (int i = 0; i < CBCas->count(); ++i)
            r.results << CBCas->itemText(i);
        for (const auto& m : world.companion.sent)
            if (m[0] != 1495 || m[1] == 0)
                r.messages.push_back(m);
        r.errors = world.errors.shown;
        if (withDump) {
            r.dump = windowState(frm.get()) + windowState(frm->frmLED());
            for (const auto& m : world.companion.sent)
                r.dump += QStringLiteral("sent %1 %2 %3\n").arg(m[0]).arg(m[1]).arg(m[2]);
            r.dump += QStringLiteral("clipboard \"%1\"\nlines %2\nsounds %3\n")
                          .arg(world.clipboard.text, world.serial.lines.join(QLatin1Char(' ')))
                          .arg(world.sounds.played.size());
            const HubReading h = hubState(*frm);
            r.dump +=
                QStringLiteral("casu %1 pcas %2 t_cas %3\n").arg(h.casu).arg(h.pcas).arg(h.t_cas);
        }
        record = nullptr;
    }
};

namespace {

// kq.ini is written whenever an input asks for another version or precision; in memory that
// costs no disk flush.
QString folderTemplate() {
    const QString shm = QStringLiteral("/dev/shm");
    return QDir(QFileInfo(shm).isWritable() ? shm : QDir::tempPath())
        .filePath(QStringLiteral("zorvat-fuzz-XXXXXX"));
}

} // namespace

FuzzSession::FuzzSession() : dir_(folderTemplate()) {
    fuzzCheck(dir_.isValid(), "no temporary folder");
}

FuzzSession::~FuzzSession() = default;

FuzzSession::Table& FuzzSession::table(Edition edition) {
    auto& t = tables_[edition == Edition::FourSplit ? 1 : 0];
    if (!t)
        t = std::make_unique<Table>(edition, dir_.path());
    return *t;
}

FakeWorld& FuzzSession::world(Edition edition) {
    return table(edition).world;
}

RunRecord FuzzSession::run(const FuzzScript& script, Pacing pacing, std::uint32_t seed,
                           bool withDump, JournalLink* journal) {
    Table& t = table(script.setup.edition);
    RunRecord record;
    t.relay.to = journal;
    t.journal = journal;
    t.begin(script.setup, record);
    std::mt19937 random(seed);
    for (const Step& step : script.steps) {
        if (const auto* bytes = std::get_if<DeviceBytes>(&step))
            t.deliver(*bytes, pacing, random);
        else if (const auto* action = std::get_if<Action>(&step))
            t.act(*action);
        else
            t.world.time.advance(std::get<Gap>(step).ms);
    }
    t.end(withDump);
    t.relay.to = nullptr;
    t.journal = nullptr;
    return record;
}

} // namespace zorvat
