// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the built zorvat-replay on a script and parses its dumps.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <vector>

struct Outcome {
    int exitCode = -1;
    std::vector<QJsonObject> dumps;
    QString errors;
};

inline Outcome replay(const QByteArray& script, QStringList options = {},
                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                      const QString& workDir = {}) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(ZORVAT_REPLAY), options << QStringLiteral("-"));
    p.write(script);
    p.closeWriteChannel();
    Outcome r;
    if (!p.waitForFinished(30000)) {
        ADD_FAILURE() << "zorvat-replay did not finish";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.errors = QString::fromUtf8(p.readAllStandardError());
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        EXPECT_TRUE(doc.isObject()) << "not a dump: " << line.toStdString();
        r.dumps.push_back(doc.object());
    }
    return r;
}

inline QJsonObject widget(const QJsonObject& dump, const char* key) {
    return dump[QStringLiteral("widgets")][QLatin1String(key)].toObject();
}

inline QJsonArray json(const char* text) {
    return QJsonDocument::fromJson(text).array();
}
