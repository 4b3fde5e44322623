// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_csv.h"

#include <QStringList>

namespace zorvat {

namespace {

QString field(const QString& text) {
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QStringList header() {
    QStringList names{QStringLiteral("Start"),       QStringLiteral("Výsledek"),
                      QStringLiteral("1491 wParam"), QStringLiteral("1491 lParam"),
                      QStringLiteral("1492 wParam"), QStringLiteral("1492 lParam")};
    for (int row = 1; row <= 4; ++row)
        names << QStringLiteral("Mezičas %1").arg(row) << QStringLiteral("Popis %1").arg(row);
    return names;
}

// The message parameters; empty where nothing was sent.
QStringList numberFields(const std::optional<ResultNumbers>& numbers) {
    QStringList fields(4);
    if (numbers) {
        fields[0] = QString::number(numbers->w1491);
        fields[1] = QString::number(numbers->l1491);
        if (numbers->m1492) {
            fields[2] = QString::number(numbers->m1492->first);
            fields[3] = QString::number(numbers->m1492->second);
        }
    }
    return fields;
}

QStringList fields(const ResultRow& row) {
    QStringList fields{row.attemptStarted.isValid()
                           ? row.attemptStarted.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss,zzz"))
                           : QString(),
                       row.entry.text};
    fields << numberFields(row.entry.numbers);
    for (const std::optional<SplitCell>& split : row.splits)
        fields << (split ? split->text : QString()) << (split ? split->caption : QString());
    return fields;
}

QString line(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted << field(f);
    return quoted.join(u';') + QStringLiteral("\r\n");
}

} // namespace

QByteArray resultsCsv(const std::vector<ResultRow>& rows) {
    QString text = line(header());
    for (const ResultRow& row : rows)
        text += line(fields(row));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace zorvat
