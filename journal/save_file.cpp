// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_file.h"

#include "journal_reader.h"
#include "results_csv.h"

#include <QSaveFile>

namespace zorvat {

std::optional<QString> saveFile(const QString& path, const QByteArray& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> saveSessionCsv(const QString& folder, qint64 session, const QString& path) {
    JournalReader reader(folder);
    const std::optional<std::vector<ResultRow>> rows = reader.results(session);
    if (!rows)
        return reader.problem();
    return saveFile(path, resultsCsv(*rows));
}

} // namespace zorvat
