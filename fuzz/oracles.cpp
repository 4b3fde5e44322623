// SPDX-License-Identifier: GPL-3.0-or-later
#include "oracles.h"

#include "time_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zorvat {

void fuzzCheck(bool ok, const char* what, const QString& detail) {
    if (ok)
        return;
    std::fprintf(stderr, "fuzz oracle broken: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

namespace {

bool oneOf(const QString& text, std::initializer_list<const char16_t*> texts) {
    for (const char16_t* t : texts)
        if (text == QStringView(t))
            return true;
    return false;
}

} // namespace

namespace {

bool isDigits(QStringView s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c.isDigit(); });
}

// Minutes, ":", then "00" or "30".
bool isPreparationTime(const QString& s) {
    const qsizetype colon = s.indexOf(QLatin1Char(':'));
    const QStringView minutes = QStringView(s).left(colon);
    const QStringView seconds = QStringView(s).mid(colon + 1);
    return colon > 0 && colon <= 3 && isDigits(minutes) && (seconds == u"00" || seconds == u"30");
}

bool isSignedDigits(QStringView s) {
    return isDigits(s.startsWith(u'-') ? s.mid(1) : s);
}

// A split as the board shows it: digits, ",", zeros that fill, digits; a negative difference
// has a sign on both parts.
bool isSplitText(const QString& s) {
    if (s.isEmpty())
        return true;
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    QStringView fraction = QStringView(s).mid(comma + 1);
    while (fraction.size() > 1 && fraction.startsWith(u'0'))
        fraction = fraction.mid(1);
    return comma > 0 && isSignedDigits(QStringView(s).left(comma)) && isSignedDigits(fraction);
}

} // namespace

void checkStateLabels(const QString& draha, const QString& priprava, const QString& terce,
                      const QString& ncas, const std::array<QString, 4>& boardTimes) {
    fuzzCheck(oneOf(draha, {u"jeden útok", u"Jedna dráha", u"Dvě dráhy", u"Tři dráhy",
                            u"Čtyři dráhy", u"Jeden útok", u"Dva útoky"}),
              "lblDraha holds a text of no table", draha);
    fuzzCheck(isPreparationTime(priprava), "lblPriprava is no preparation time", priprava);
    fuzzCheck(oneOf(terce, {u"rozepínací", u"spínací", u"Rozpínací", u"Spínací"}),
              "lblTerce holds a text of no table", terce);
    fuzzCheck(oneOf(ncas, {u"čas: Ano", u"čas: ano", u"čas: ne"}),
              "lblNCas holds a text of no table", ncas);
    for (const QString& t : boardTimes)
        fuzzCheck(isSplitText(t), "a board row holds no split time", t);
}

namespace {

// The digits of a time field without its first comma: integer part and fraction.
struct Field {
    QString whole, fraction;
};

Field fieldOf(const QString& text) {
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {text, {}};
    return {text.left(comma), text.mid(comma + 1)};
}

std::optional<qint64> digits(const QString& s) {
    if (s.isEmpty() || s.size() > 18)
        return std::nullopt;
    bool ok = false;
    const qint64 v = s.toLongLong(&ok);
    return ok && v >= 0 ? std::optional(v) : std::nullopt;
}

// The same time with the fraction cut or extended by up to three digits, as the display and
// output forms of one device time differ only in their last digits.
bool sameTime(const QString& listed, std::int32_t sent) {
    const Field f = fieldOf(listed);
    for (qsizetype k = 0; k <= f.fraction.size() + 3; ++k) {
        if (k <= f.fraction.size()) {
            if (digits(f.whole + f.fraction.left(k)) == qint64(sent))
                return true;
            continue;
        }
        const auto base = digits(f.whole + f.fraction);
        qint64 scale = 1;
        for (qsizetype e = f.fraction.size(); e < k; ++e)
            scale *= 10;
        if (base && sent >= 0 && qint64(sent) / scale == *base)
            return true;
    }
    return false;
}

// The conversion failed on a run of digits too long for 32 bits, not on a letter.
bool overflowed(const QString& error) {
    const qsizetype end = error.indexOf(QLatin1String("' is not"));
    return end > 1 && isDigits(QStringView(error).mid(1, end - 1));
}

qsizetype timeDigits(const QString& time) {
    return time.size() - time.count(QLatin1Char(','));
}

QString describe(const QStringList& entries, const QString& entry,
                 const std::vector<std::array<std::int32_t, 3>>& m) {
    QString d = QStringLiteral("entry \"%1\" of \"%2\", messages:")
                    .arg(entry, entries.join(QStringLiteral("\", \"")));
    for (const auto& x : m)
        d += QStringLiteral(" %1 %2 %3;").arg(x[0]).arg(x[1]).arg(x[2]);
    return d;
}

} // namespace

void checkEntriesAgainstMessages(const QStringList& newEntries,
                                 const std::vector<std::array<std::int32_t, 3>>& newMessages) {
    std::size_t next = 0;
    for (const QString& entry : newEntries) {
        const QString head = entry.section(QLatin1Char(' '), 0, 0);
        const QString tail = entry.section(QLatin1Char(' '), 1);
        const bool pair = head.size() >= 2;
        const PrevedResult listed = preved_cas(entry);
        const QString detail = describe(newEntries, entry, newMessages);
        const QString firstTime = pair ? head.chopped(1) : tail;
        // A text that is not a number in the list is none in the output form either: no
        // message. The output form may have up to three digits more (or fewer), so a long time
        // may overflow 32 bits in one form only; then the next messages are the entry's only if
        // they carry the entry's times.
        if (listed.error && !overflowed(*listed.error))
            continue;
        const bool ambiguous =
            listed.error || std::max(timeDigits(firstTime), timeDigits(tail)) + 3 >= 10;
        const auto carries = [&](std::size_t i, int msg, const QString& time) {
            return i < newMessages.size() && newMessages[i][0] == msg &&
                   sameTime(time, newMessages[i][2]);
        };
        const bool sent = next < newMessages.size() && newMessages[next][0] == 1491 &&
                          (!ambiguous || (carries(next, 1491, firstTime) &&
                                          (!pair || carries(next + 1, 1492, tail))));
        if (!sent) {
            fuzzCheck(ambiguous, "a result went to the list only", detail);
            continue;
        }
        const auto& first = newMessages[next++];
        if (listed.error) {
            if (pair && next < newMessages.size() && newMessages[next][0] == 1492)
                ++next;
            continue;
        }
        fuzzCheck(first[1] == listed.data_out[0], "1491 names another target or track", detail);
        if (!pair) {
            fuzzCheck(sameTime(tail, first[2]), "1491 carries another time", detail);
            continue;
        }
        fuzzCheck(sameTime(firstTime, first[2]), "1491 carries another time", detail);
        fuzzCheck(next < newMessages.size() && newMessages[next][0] == 1492,
                  "a pair result without its 1492", detail);
        const auto& second = newMessages[next++];
        fuzzCheck(second[1] == 2 && sameTime(tail, second[2]), "1492 carries another time", detail);
    }
    fuzzCheck(next == newMessages.size(), "a result message without its list entry",
              describe(newEntries, QString(), newMessages));
}

void checkTrackCompletion(const QStringList& entries, int timeCount, const QString& cas,
                          const QString& casD) {
    const QString all = entries.join(QStringLiteral(" | "));
    fuzzCheck(entries.size() == timeCount, "a track attempt listed another number of times",
              QStringLiteral("%1 times: %2").arg(timeCount).arg(all));
    fuzzCheck(cas == entries.back().section(QLatin1Char(' '), 1),
              "lblCas does not show the attempt's last time", cas + QStringLiteral(" / ") + all);
    const QString before = entries.size() > 1 ? entries[entries.size() - 2] : QString();
    fuzzCheck(casD == before, "lblCasD does not show the time before the last",
              casD + QStringLiteral(" / ") + all);
}

namespace {

QString joined(const QStringList& l) {
    return l.join(QStringLiteral(" | "));
}

QString joined(const std::vector<std::array<std::int32_t, 3>>& m) {
    QStringList l;
    for (const auto& x : m)
        l << QStringLiteral("%1 %2 %3").arg(x[0]).arg(x[1]).arg(x[2]);
    return joined(l);
}

// "*" stands for a label that depended on time in one of the runs.
bool sameLabels(const QStringList& a, const QStringList& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i] != QLatin1String("*") && b[i] != QLatin1String("*"))
            return false;
    return true;
}

} // namespace

void checkSameRecord(const RunRecord& a, const RunRecord& b, const char* pacing) {
    const auto detail = [&](const QString& x, const QString& y) {
        return QStringLiteral("%1\nat once: %2\n%3: %4")
            .arg(QString::fromLatin1(pacing), x, QString::fromLatin1(pacing), y);
    };
    fuzzCheck(a.results == b.results, "the results list depends on the pacing of the bytes",
              detail(joined(a.results), joined(b.results)));
    fuzzCheck(sameLabels(a.finalLabels, b.finalLabels),
              "the final-time labels depend on the pacing of the bytes",
              detail(joined(a.finalLabels), joined(b.finalLabels)));
    fuzzCheck(a.messages == b.messages, "the companion's messages depend on the pacing",
              detail(joined(a.messages), joined(b.messages)));
    fuzzCheck(a.errors == b.errors, "the error boxes depend on the pacing of the bytes",
              detail(joined(a.errors), joined(b.errors)));
}

} // namespace zorvat
