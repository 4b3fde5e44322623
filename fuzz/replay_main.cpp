// SPDX-License-Identifier: GPL-3.0-or-later
// Runs saved fuzzer inputs through the harness with every oracle, the reset and journal checks
// included:
// zorvat_fuzz_replay <files or folders>. A broken oracle aborts; exit 0 means all held.
#include "fuzz_session.h"
#include "fuzz_target.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

QStringList inputFiles(const QString& arg) {
    if (!QFileInfo(arg).isDir())
        return {arg};
    QStringList files;
    QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // With TZ unset the C library looks at /etc/localtime again for every local time, and
    // virtual time asks for one with every byte delivered.
    qputenv("TZ", "UTC");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zorvat_fuzz_replay <files or folders>\n");
        return 2;
    }
    QList<QByteArray> inputs;
    for (int i = 1; i < argc; ++i) {
        const QStringList files = inputFiles(QString::fromLocal8Bit(argv[i]));
        if (files.isEmpty()) {
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const QString& name : files) {
            QFile f(name);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
                return 1;
            }
            inputs << f.readAll();
        }
    }
    zorvat::FuzzSession session;
    for (const QByteArray& bytes : inputs)
        zorvat::runFuzzInput(session, reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                             static_cast<std::size_t>(bytes.size()), {true, true, true});
    std::printf("%lld inputs ran\n", static_cast<long long>(inputs.size()));
    return 0;
}
