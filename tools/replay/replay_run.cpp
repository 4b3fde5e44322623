// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay_run.h"

#include "outer_geometry.h"
#include "replay_controls.h"
#include "replay_dump.h"
#include "replay_input.h"
#include "tfrmcas.h"
#include "tfrmled.h"

#include <QAbstractButton>
#include <QIODevice>
#include <QJsonDocument>
#include <utility>

namespace zorvat {

namespace {

using Kind = Command::Kind;

// The user picks an entry of a list, as the mouse or keyboard would.
void pick(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

std::optional<QString> outOfRange(const QComboBox* list, qint64 index) {
    if (index < list->count())
        return std::nullopt;
    return QStringLiteral("%1 has no entry %2").arg(list->objectName()).arg(index);
}

} // namespace

Replay::Replay(const ReplayOptions& options, const QString& settingsPath) {
    for (int n = 1; n <= 10; ++n)
        world_.serial.existing << QStringLiteral("COM%1").arg(n);
    world_.companion.present = options.companionPresent;
    frmCas_ = TfrmCas::start(options.edition,
                             Services{world_.time, world_.time, world_.serial, world_.errors,
                                      world_.companion, world_.clipboard, world_.sounds},
                             settingsPath);
    frmCas_->show();
    // Focus events need an active window; a window manager would activate it at once.
    frmCas_->activateWindow();
    settleEvents();
}

Replay::~Replay() = default;

std::optional<ScriptError> Replay::run(const std::vector<Command>& script, QIODevice& out) {
    for (const Command& c : script) {
        if (const auto why = check(c))
            return ScriptError{c.line, *why};
    }
    for (const Command& c : script) {
        if (const auto why = execute(c, out))
            return ScriptError{c.line, *why};
        settleEvents();
    }
    return std::nullopt;
}

// Controls of the main window first, then of the board.
template <class T> T* Replay::control(const QString& name) const {
    for (const QWidget* window : {static_cast<const QWidget*>(frmCas_.get()),
                                  static_cast<const QWidget*>(frmCas_->frmLED())}) {
        for (QWidget* w : namedControls(window)) {
            if (auto* t = qobject_cast<T*>(w); t && w->objectName() == name)
                return t;
        }
    }
    return nullptr;
}

std::optional<QString> Replay::check(const Command& c) const {
    const auto unknown = [&](const char* what) {
        return QStringLiteral("unknown %1 '%2'").arg(QLatin1String(what), c.name);
    };
    switch (c.kind) {
    case Kind::Pick:
        if (control<QComboBox>(QStringLiteral("CBUvod"))->findText(c.name) < 0)
            return unknown("port");
        break;
    case Kind::Click:
        if (!control<QAbstractButton>(c.name))
            return unknown("button");
        break;
    case Kind::Choose:
        if (!control<QComboBox>(c.name))
            return unknown("list");
        break;
    case Kind::Type:
    case Kind::Enter:
    case Kind::Leave:
        if (!control<QLineEdit>(c.name))
            return unknown("edit box");
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<QString> Replay::execute(const Command& c, QIODevice& out) {
    switch (c.kind) {
    case Kind::Pick: {
        QComboBox* ports = control<QComboBox>(QStringLiteral("CBUvod"));
        pick(ports, ports->findText(c.name));
        break;
    }
    case Kind::Bytes:
        world_.serial.feed(c.bytes.begin(), c.bytes.end());
        break;
    case Kind::Wait:
        wait(c.number);
        break;
    case Kind::Key: {
        QWidget* window = c.board ? static_cast<QWidget*>(frmCas_->frmLED()) : frmCas_.get();
        QWidget* focus = window->focusWidget();
        pressKey(focus ? focus : window, Qt::Key_Space, QStringLiteral(" "));
        break;
    }
    case Kind::Select: {
        QComboBox* results = control<QComboBox>(QStringLiteral("CBCas"));
        if (auto why = outOfRange(results, c.number))
            return why;
        pick(results, static_cast<int>(c.number));
        break;
    }
    case Kind::Click:
        control<QAbstractButton>(c.name)->click();
        break;
    case Kind::Message:
        if (world_.companion.onMessage)
            world_.companion.onMessage(static_cast<int>(c.number), 0, 0);
        break;
    case Kind::Choose: {
        QComboBox* list = control<QComboBox>(c.name);
        if (auto why = outOfRange(list, c.number))
            return why;
        pick(list, static_cast<int>(c.number));
        break;
    }
    case Kind::Type:
        typeInto(control<QLineEdit>(c.name), c.text);
        break;
    case Kind::Enter: {
        QLineEdit* edit = control<QLineEdit>(c.name);
        if (!edit->isActiveWindow()) {
            edit->activateWindow();
            settleEvents();
        }
        edit->setFocus(Qt::OtherFocusReason);
        break;
    }
    case Kind::Leave:
        if (QLineEdit* edit = control<QLineEdit>(c.name); edit->hasFocus())
            edit->clearFocus();
        break;
    case Kind::Resize: {
        TfrmLED* board = frmCas_->frmLED();
        const QRect outer = outerGeometry(board);
        setOuterGeometry(board, QRect(outer.topLeft(), QSize(int(c.number), int(c.height))));
        break;
    }
    case Kind::Close:
        // A refused close (the settings could not be written) leaves the program running.
        frmCas_->close();
        break;
    case Kind::Dump:
        dump(out);
        break;
    }
    return std::nullopt;
}

// Each millisecond's timers fire, then what they queued runs, as in the event loop.
void Replay::wait(qint64 ms) {
    for (qint64 i = 0; i < ms; ++i) {
        world_.time.advance(1);
        settleEvents();
    }
}

void Replay::dump(QIODevice& out) {
    const Recorded recorded{world_.clipboard.text, std::exchange(world_.companion.sent, {}),
                            std::exchange(world_.errors.shown, {}),
                            std::exchange(world_.sounds.played, {}),
                            std::exchange(world_.serial.lines, {})};
    const QJsonObject json = dumpJson(*frmCas_, world_.time.monotonicMs(), recorded);
    out.write(QJsonDocument(json).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace zorvat
