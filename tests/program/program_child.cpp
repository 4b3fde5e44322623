// SPDX-License-Identifier: GPL-3.0-or-later
// zorvat-d as it starts, driven by a test: the intro note is printed, the port named by
// $ZORVAT_TEST_PORT is picked, and each line on stdin is a request: "list" prints the results
// list, "close" closes the main window as the user would.
#include "startup.h"
#include "tfrmcas.h"

#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

using namespace zorvat;

int main(int argc, char** argv) {
    return runProgram(argc, argv, Edition::Difference, [](TfrmCas& frm) {
        std::printf("NOTE %s\n", frm.restoreNotice->text().toUtf8().constData());
        const int port = frm.CBUvod->findText(qEnvironmentVariable("ZORVAT_TEST_PORT"));
        frm.CBUvod->setCurrentIndex(port);
        emit frm.CBUvod->activated(port);
        auto* requests = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &frm);
        QObject::connect(requests, &QSocketNotifier::activated, &frm, [&frm, requests] {
            char line[64] = {};
            const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
            if (n <= 0) {
                requests->setEnabled(false);
                return;
            }
            if (QByteArray(line).startsWith("close")) {
                frm.close();
                return;
            }
            QStringList items;
            for (int i = 1; i < frm.CBCas->count(); ++i)
                items << frm.CBCas->itemText(i);
            std::printf("LIST %s\n", items.join('|').toUtf8().constData());
            std::fflush(stdout);
        });
        std::printf("READY %d\n", frm.isAwaitingGreeting() ? 1 : 0);
        std::fflush(stdout);
    });
}
