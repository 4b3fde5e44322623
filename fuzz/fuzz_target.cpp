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
        const RunRecord again = session.run(script, Pacing::AtOnce, seed, true);
        fuzzCheck(again.dump == atOnce.dump, "the same input ran differently after another one",
                  QStringLiteral("first:\n%1\nagain:\n%2").arg(atOnce.dump, again.dump));
    }
}

} // namespace zorvat
