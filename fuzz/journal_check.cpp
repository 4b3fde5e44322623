// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_check.h"

#include "fake_world.h"
#include "fuzz_session.h"
#include "journal.h"
#include "journal_link.h"
#include "journal_reader.h"
#include "oracles.h"

#include <QTemporaryDir>

namespace zorvat {

namespace {

// The script again, its device bytes replaced by those recorded, with the quiet time between
// them as recorded. The greeting comes first in the recording; the playback greets itself.
FuzzScript playbackOf(const FuzzScript& script, const std::vector<StampedByte>& recorded) {
    std::size_t bytesInScript = 0;
    for (const Step& step : script.steps)
        if (const auto* bytes = std::get_if<DeviceBytes>(&step))
            bytesInScript += bytes->size();
    fuzzCheck(recorded.size() >= bytesInScript, "the journal lost device bytes",
              QStringLiteral("%1 recorded, %2 sent").arg(recorded.size()).arg(bytesInScript));
    std::size_t next = recorded.size() - bytesInScript;
    FuzzScript playback{script.setup, {}};
    for (const Step& step : script.steps) {
        const auto* bytes = std::get_if<DeviceBytes>(&step);
        if (!bytes) {
            playback.steps.push_back(step);
            continue;
        }
        for (std::size_t i = 0; i < bytes->size(); ++i, ++next) {
            const StampedByte& b = recorded[next];
            fuzzCheck(b.value == (*bytes)[i], "the journal recorded another byte");
            if (i > 0 && b.monotonicMs > recorded[next - 1].monotonicMs)
                playback.steps.emplace_back(Gap{b.monotonicMs - recorded[next - 1].monotonicMs});
            playback.steps.emplace_back(DeviceBytes{b.value});
        }
    }
    return playback;
}

} // namespace

void checkJournalPlayback(FuzzSession& session, const FuzzScript& script, std::uint32_t seed,
                          const RunRecord& expected) {
    QTemporaryDir folder;
    fuzzCheck(folder.isValid(), "no temporary folder for the journal");
    FakeWorld& world = session.world(script.setup.edition);
    RunRecord recordedRun;
    {
        Journal journal(folder.path(), [&world] { return world.time.monotonicMs(); });
        journal.beginSession(world.time.now(), QStringLiteral("fuzz"), QStringLiteral("fuzz"));
        JournalLink link(journal, world.time, world.time);
        recordedRun = session.run(script, Pacing::RandomChunks, seed, false, &link);
    }
    checkSameRecord(expected, recordedRun, "random chunks with the journal");

    JournalReader reader(folder.path());
    const auto sessions = reader.sessions();
    fuzzCheck(sessions && sessions->size() == 1, "the journal has no session", reader.problem());
    const qint64 number = sessions->front().number;
    const auto results = reader.results(number);
    fuzzCheck(results.has_value(), "the journal's results cannot be read", reader.problem());
    QStringList listed{QString()};
    for (const ResultRow& row : *results)
        listed << row.entry.text;
    fuzzCheck(listed == expected.results, "the journal's results differ from the list",
              listed.join(QStringLiteral(" | ")) + QStringLiteral("\nlist: ") +
                  expected.results.join(QStringLiteral(" | ")));
    const auto bytes = reader.deviceBytes(number);
    fuzzCheck(bytes.has_value(), "the journal's device bytes cannot be read", reader.problem());
    checkSameRecord(expected, session.run(playbackOf(script, *bytes), Pacing::AtOnce, seed, false),
                    "played back from the journal");
}

} // namespace zorvat
