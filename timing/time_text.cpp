// SPDX-License-Identifier: GPL-3.0-or-later
#include "time_text.h"

#include "version_table.h"

namespace zorvat {

namespace {

int hi(std::uint8_t b) {
    return b >> 4;
}
int lo(std::uint8_t b) {
    return b & 0x0F;
}

// Shared by both forms; only the last digit differs between them.
QString timeText(const DeviceTime& casy, bool ano, TimeFormat f, bool lastDigit) {
    const auto [b1, b2, b3, b4] = casy;
    QString s;
    if (ano)
        s += Decode_Terc(channelCode(casy, f)) + QLatin1Char(' ');
    if (isWholeByteCodeVersion(f.verze, f.edition)) {
        if (b2 != 0) {
            if (hi(b2) != 0)
                s += QString::number(hi(b2));
            s += QString::number(lo(b2));
        }
        s += QString::number(hi(b3)) + QLatin1Char(',') + QString::number(lo(b3)) +
             QString::number(hi(b4));
        if (lastDigit)
            s += QString::number(lo(b4));
    } else {
        if (lo(b1) != 0)
            s += QString::number(lo(b1));
        if (lo(b1) != 0 || hi(b2) != 0)
            s += QString::number(hi(b2));
        s += QString::number(lo(b2)) + QLatin1Char(',') + QString::number(hi(b3)) +
             QString::number(lo(b3));
        // Byte 4 carries the thousandths as a plain number here, not as a nibble.
        if (lastDigit)
            s += QString::number(b4);
    }
    return s;
}

// Plain decimal only: optional sign, then digits, within 32 bits; no blanks, no hex.
std::optional<qint32> readInteger(const QString& text) {
    const qsizetype start =
        text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (text.size() == start)
        return std::nullopt;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString notAnInteger(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

QString withoutFirstComma(QString text) {
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text.remove(comma, 1);
    return text;
}

} // namespace

QString Decode_Terc(std::uint8_t typ) {
    static const char* const letters[] = {"L", "P", "1", "L", "P", "2", "1", "2", "3", "4"};
    return typ < 10 ? QString::fromLatin1(letters[typ]) : QString();
}

std::uint8_t channelCode(const DeviceTime& casy, TimeFormat f) {
    return isWholeByteCodeVersion(f.verze, f.edition) ? casy[0] : casy[0] >> 4;
}

QString CasToStr(const DeviceTime& casy, bool ano, TimeFormat f, Precision p) {
    return timeText(casy, ano, f, p == Precision::Thousandths);
}

QString CasToStrOut(const DeviceTime& casy, bool ano, TimeFormat f) {
    return timeText(casy, ano, f, isWholeByteCodeVersion(f.verze, f.edition) || f.verze == 456);
}

PrevedResult preved_cas(const QString& cas) {
    PrevedResult r;
    auto read = [&r](const QString& text, qint32& into) {
        const std::optional<qint32> value = readInteger(text);
        if (value)
            into = *value;
        else
            r.error = notAnInteger(text);
        return value.has_value();
    };

    // Without a space the head is empty, so the text goes the track way and fails there.
    const qsizetype space = cas.indexOf(QLatin1Char(' '));
    QString head = space >= 0 ? cas.left(space) : QString();
    const QString tail = space >= 0 ? cas.mid(space + 1) : cas;

    if (head.size() < 2) {
        if (!read(head, r.data_out[0]))
            return r;
        r.data_out[0] += 5; // tracks 1..4 go out as 6..9
        read(withoutFirstComma(tail), r.data_out[1]);
        return r;
    }

    if (head.endsWith(QLatin1Char('P')))
        r.data_out[0] = 1;
    head.chop(1);
    if (!read(withoutFirstComma(head), r.data_out[1]))
        return r;
    r.data_out[2] = 2;
    read(withoutFirstComma(tail), r.data_out[3]);
    return r;
}

int StrToPrip(const QString& co) {
    const qsizetype colon = co.indexOf(QLatin1Char(':'), 1);
    return readInteger(colon >= 0 ? co.left(colon) : co).value_or(0);
}

} // namespace zorvat
