// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_link.h"

#include "bus_names.h"

#include <QDBusMessage>
#include <QSaveFile>
#include <cstdio>

namespace zorvat::companion {

namespace {

constexpr int kActualRequest = 1493;
constexpr int kReplyTimeoutMs = 5000;

void warn(const QString& text) {
    std::fprintf(stderr, "zorvat-companion: %s\n", qPrintable(text));
}

bool writeActual(const ActualFile& actual) {
    QSaveFile file(actual.path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((actual.line1 + u'\n' + actual.line2 + u'\n').toUtf8());
    return file.commit();
}

} // namespace

ProgramLink::ProgramLink(QDBusConnection bus, std::optional<ActualFile> actual)
    : bus_(std::move(bus)), actual_(std::move(actual)) {}

void ProgramLink::send(const WindowMessage& message) {
    if (message.msg == kActualRequest && actual_ && !writeActual(*actual_))
        warn(QStringLiteral("cannot write ") + actual_->path);
    QDBusMessage call = QDBusMessage::createMethodCall(kProgramService, kPath, kInterface, kMethod);
    call << message.msg << message.wParam << message.lParam;
    // Like the program, keep handling its calls to us while we wait for its answer.
    const QDBusMessage reply = bus_.call(call, QDBus::BlockWithGui, kReplyTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        warn(QStringLiteral("message %1: %2").arg(message.msg).arg(reply.errorMessage()));
}

} // namespace zorvat::companion
