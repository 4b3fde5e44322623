// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fake_world.h"
#include "replay_options.h"
#include "replay_script.h"

#include <memory>
#include <optional>

class QIODevice;
class QWidget;

namespace zorvat {

class TfrmCas;

// The program started as it starts for real, with fakes around it and in virtual time,
// driven by a script.
class Replay {
public:
    // settingsPath is the kq.ini to read now and write at close.
    Replay(const ReplayOptions& options, const QString& settingsPath);
    ~Replay();

    // Checks every name the script uses, then runs it; dump lines go to out. Stops at the
    // first command that cannot run.
    std::optional<ScriptError> run(const std::vector<Command>& script, QIODevice& out);

private:
    std::optional<QString> check(const Command& c) const;
    std::optional<QString> execute(const Command& c, QIODevice& out);
    template <class T> T* control(const QString& name) const;
    void wait(qint64 ms);
    void dump(QIODevice& out);

    FakeWorld world_;
    std::unique_ptr<TfrmCas> frmCas_;
};

} // namespace zorvat
