// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

namespace zorvat::companion {

struct WindowMessage {
    int msg = 0;
    int wParam = 0;
    int lParam = 0;
};

// Written just before message 1493 goes out.
struct ActualFile {
    QString path;
    QString line1;
    QString line2;
};

struct Options {
    bool hang = false;
    std::vector<WindowMessage> sends;
    std::map<int, WindowMessage> sendOn; // received message -> request sent before answering
    std::optional<ActualFile> actual;
    int exitAfter = 0; // 0: no limit
    int timeoutMs = 0; // 0: no limit
};

struct OptionsResult {
    Options options;
    QString error; // empty when the arguments were fine
};

// The stand-in's options, --help and --version among them.
void addOptions(QCommandLineParser& parser);

// The options of a command line that parser (set up by addOptions) has parsed.
OptionsResult readOptions(const QCommandLineParser& parser);

} // namespace zorvat::companion
