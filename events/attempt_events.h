// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial_port.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace zorvat {

// One results-list entry made by an attempt's end: its text as listed and, when the text
// converted, the numbers that go to the companion (two of them, or four for a pair).
struct ResultEntry {
    QString text;
    std::optional<std::array<qint32, 4>> numbers;
    bool pair = false;
    bool operator==(const ResultEntry&) const = default;
};

// What happens at the timekeeper's table, reported by the main window as it happens. The
// companion link, the journal and anything else that follows the competition subscribe here;
// each takes what it needs.
class AttemptEvents {
public:
    virtual ~AttemptEvents() = default;
    // The device's settings were applied or asked for (mode byte as stored).
    virtual void deviceSettings(int verze, std::uint8_t modeByte) { (void)verze, (void)modeByte; }
    // The firmware version or the display precision was set or asked for.
    virtual void versionAndPrecision(int verze, int precisionIndex) {
        (void)verze, (void)precisionIndex;
    }
    virtual void bytesReceived(const std::vector<StampedByte>& bytes) { (void)bytes; }
    virtual void preparationStarted() {}
    virtual void started(const QDateTime& startKQ, qint64 monotonicMs) {
        (void)startKQ, (void)monotonicMs;
    }
    // row 1..4; value in the unit of the display precision; the caption typed for the row.
    virtual void split(int row, qint32 value, const QString& text, const QString& caption) {
        (void)row, (void)value, (void)text, (void)caption;
    }
    // The entries are listed once every subscriber has let go of shown: a subscriber that
    // must make them safe first (the journal) keeps a copy until they are, and lets go of it
    // on the user-interface thread.
    virtual void resultsAdded(const std::vector<ResultEntry>& entries,
                              const std::shared_ptr<void>& shown) {
        (void)entries, (void)shown;
    }
    // index among the result entries, in list order.
    virtual void resultDeleted(int index) { (void)index; }
    virtual void reset() {}
    virtual void linkLost(const QString& reason) { (void)reason; }
    virtual void linkRestored() {}
};

// Passes every event to the subscribers, in the order they subscribed.
class AttemptEventFanOut final : public AttemptEvents {
public:
    void subscribe(AttemptEvents& s) { subscribers_.push_back(&s); }
    void unsubscribe(AttemptEvents& s) { std::erase(subscribers_, &s); }

    void deviceSettings(int verze, std::uint8_t modeByte) override {
        each([&](AttemptEvents& s) { s.deviceSettings(verze, modeByte); });
    }
    void versionAndPrecision(int verze, int precisionIndex) override {
        each([&](AttemptEvents& s) { s.versionAndPrecision(verze, precisionIndex); });
    }
    void bytesReceived(const std::vector<StampedByte>& bytes) override {
        each([&](AttemptEvents& s) { s.bytesReceived(bytes); });
    }
    void preparationStarted() override {
        each([&](AttemptEvents& s) { s.preparationStarted(); });
    }
    void started(const QDateTime& startKQ, qint64 monotonicMs) override {
        each([&](AttemptEvents& s) { s.started(startKQ, monotonicMs); });
    }
    void split(int row, qint32 value, const QString& text, const QString& caption) override {
        each([&](AttemptEvents& s) { s.split(row, value, text, caption); });
    }
    void resultsAdded(const std::vector<ResultEntry>& entries,
                      const std::shared_ptr<void>& shown) override {
        each([&](AttemptEvents& s) { s.resultsAdded(entries, shown); });
    }
    void resultDeleted(int index) override {
        each([&](AttemptEvents& s) { s.resultDeleted(index); });
    }
    void reset() override {
        each([&](AttemptEvents& s) { s.reset(); });
    }
    void linkLost(const QString& reason) override {
        each([&](AttemptEvents& s) { s.linkLost(reason); });
    }
    void linkRestored() override {
        each([&](AttemptEvents& s) { s.linkRestored(); });
    }

private:
    template <typename F> void each(F f) {
        // A subscriber may (un)subscribe while an event runs; this event goes to those there now.
        const std::vector<AttemptEvents*> now = subscribers_;
        for (AttemptEvents* s : now)
            f(*s);
    }
    std::vector<AttemptEvents*> subscribers_;
};

} // namespace zorvat
