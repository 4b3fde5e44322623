// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion_link.h"

namespace zorvat {

CompanionLink::CompanionLink(Companion& companion, Requests requests)
    : companion_(companion), requests_(std::move(requests)) {
    companion_.onMessage = [this](int msg, std::int32_t, std::int32_t) { received(msg); };
}

CompanionLink::~CompanionLink() {
    companion_.onMessage = nullptr;
}

void CompanionLink::received(int msg) {
    const std::function<void()>* request = nullptr;
    switch (msg) {
    case Settings:
        request = &requests_.settings;
        break;
    case Version:
        request = &requests_.version;
        break;
    case ActualText:
        request = &requests_.actualText;
        break;
    default:
        return;
    }
    if (*request)
        (*request)();
}

void CompanionLink::deviceSettings(int verze, std::uint8_t modeByte) {
    companion_.sendIfPresent(Settings, verze, modeByte);
}

void CompanionLink::versionAndPrecision(int verze, int precisionIndex) {
    companion_.sendIfPresent(Version, verze, precisionIndex);
}

void CompanionLink::started(const QDateTime&, qint64) {
    companion_.sendIfPresent(StartOrSplit, 0, 0);
}

void CompanionLink::split(int row, qint32 value, const QString&, const QString&) {
    companion_.sendIfPresent(StartOrSplit, row, value);
}

// A result whose text did not convert sends nothing.
void CompanionLink::resultsAdded(const std::vector<ResultEntry>& entries,
                                 const std::shared_ptr<void>&) {
    for (const ResultEntry& e : entries) {
        if (!e.numbers)
            continue;
        const auto& n = *e.numbers;
        companion_.sendIfPresent(Result, n[0], n[1]);
        if (e.pair)
            companion_.sendIfPresent(PairResult, n[2], n[3]);
    }
}

} // namespace zorvat
