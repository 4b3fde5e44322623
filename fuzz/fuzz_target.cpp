// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_target.h"

#include "fuzz_input.h"
#include "fuzz_session.h"
#include "journal_check.h"
#include "oracles.h"

#include <QByteArrayView>
#include <QHashFunctions>

namespace zorvat {

void runFuzzInput(FuzzSession& session, const std::uint8_t* data, std::size_t size,
                  ExtraChecks extra) {
    FuzzScript script;
    if (!parseFuzzInput(data, size, script))
        return;
    // The random pacing is a function of the input, so a finding replays.
    const auto seed = static_cast<std::uint32_t>(
        qHash(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))));
    const RunRecord atOnce = session.run(script, Pacing::AtOnce, seed, extra.reset);
    if (extra.bothPacings || seed % 2 == 0)
        checkSameRecord(atOnce, session.run(script, Pacing::PerMillisecond, seed, false),
                        "one byte a millisecond");
    if (extra.bothPacings || seed % 2 == 1)
        checkSameRecord(atOnce, session.run(script, Pacing::RandomChunks, seed, false),
                        "random chunks");
    if (extra.journal)
        checkJournalPlayback(session, script, seed, atOnce);
    if (extra.reset) {
        FuzzSession fresh;
        const RunRecord first = fresh.run(script, Pacing::AtOnce, seed, true);
        fuzzCheck(first.dump == atOnce.dump,
                  "the input ran differently in fresh windows than after other inputs",
                  QStringLiteral("fresh:\n%1\nafter others:\n%2").arg(first.dump, atOnce.dump));
    }
}

} // namespace zorvat
