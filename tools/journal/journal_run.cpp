// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_run.h"

#include "journal_file.h"
#include "journal_reader.h"
#include "results_csv.h"
#include "stream_script.h"

#include <QDir>

namespace zorvat {

namespace {

const QString kShownTime = QStringLiteral("dd.MM.yyyy HH:mm:ss");

QString unreadable(const JournalReader& reader) {
    return QStringLiteral("deník nelze přečíst: %1").arg(reader.problem());
}

QByteArray sessionLines(const std::vector<SessionInfo>& sessions) {
    QByteArray text;
    for (const SessionInfo& s : sessions)
        text += QStringLiteral("%1\t%2\t%3\t%4\n")
                    .arg(s.number)
                    .arg(s.started.toString(kShownTime),
                         s.ended ? s.ended->toString(kShownTime) : QStringLiteral("neukončená"))
                    .arg(s.liveResults)
                    .toUtf8();
    return text;
}

// The session asked for, or the latest one.
std::variant<SessionInfo, QString> pickSession(const std::vector<SessionInfo>& sessions,
                                               std::optional<qint64> number) {
    if (!number) {
        if (sessions.empty())
            return QStringLiteral("deník zatím nemá žádnou relaci");
        return sessions.back();
    }
    for (const SessionInfo& s : sessions)
        if (s.number == *number)
            return s;
    return QStringLiteral("relace %1 v deníku není").arg(*number);
}

QByteArray scriptOf(const SessionInfo& session, const std::vector<StampedByte>& bytes) {
    return QStringLiteral("# zorvat-journal: relace %1, začátek %2\n")
               .arg(session.number)
               .arg(session.started.toString(kShownTime))
               .toUtf8() +
           streamScript(bytes);
}

} // namespace

std::variant<QByteArray, QString> runJournalCommand(const JournalToolOptions& options) {
    using Command = JournalToolOptions::Command;
    JournalReader reader(options.folder);
    if (reader.status() == JournalReader::Status::Missing)
        return QStringLiteral("deník %1 neexistuje")
            .arg(QDir::toNativeSeparators(journalFilePath(options.folder)));
    const std::optional<std::vector<SessionInfo>> sessions = reader.sessions();
    if (!sessions)
        return unreadable(reader);
    if (options.command == Command::Sessions)
        return sessionLines(*sessions);

    const std::variant<SessionInfo, QString> picked = pickSession(*sessions, options.session);
    if (const QString* why = std::get_if<QString>(&picked))
        return *why;
    const SessionInfo& session = std::get<SessionInfo>(picked);
    if (options.command == Command::Results) {
        const std::optional<std::vector<ResultRow>> rows = reader.results(session.number);
        if (!rows)
            return unreadable(reader);
        return resultsCsv(*rows);
    }
    const std::optional<std::vector<StampedByte>> bytes = reader.deviceBytes(session.number);
    if (!bytes)
        return unreadable(reader);
    return scriptOf(session, *bytes);
}

} // namespace zorvat
