// SPDX-License-Identifier: GPL-3.0-or-later
// Runs saved fuzzer inputs through the decoder harness: zorvat_fuzz_replay <files or folders>.
// A broken invariant aborts; exit 0 means every input ran.
#include "decoder_input.h"

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
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zorvat_fuzz_replay <files or folders>\n");
        return 2;
    }
    int ran = 0;
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
            const QByteArray bytes = f.readAll();
            std::printf("%s\n", qPrintable(name));
            std::fflush(stdout);
            zorvat::runDecoderInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size()));
            ++ran;
        }
    }
    std::printf("%d inputs ran\n", ran);
    return 0;
}
