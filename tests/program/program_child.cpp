// SPDX-License-Identifier: GPL-3.0-or-later
// zorvat-d as it starts, driven by a test: the intro note is printed, the port named by
// $ZORVAT_TEST_PORT is picked, and each line on stdin is a request: "list" prints the results
// list, "close" closes the main window as the user would.
#include "controls.h"
#include "startup.h"
#include "tfrmcas.h"

#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

using namespace zorvat;

int main(int argc, char** argv) {
    return runProgram(argc, argv, Edition::Difference, [](TfrmCas& frm) {
        std::printf("NOTE %s\n",
                    control<QLabel>(frm, "restoreNotice")->text().toUtf8().constData());
        QComboBox* ports = control<QComboBox>(frm, "CBUvod");
        const int port = ports->findText(qEnvironmentVariable("ZORVAT_TEST_PORT"));
        ports->setCurrentIndex(port);
        emit ports->activated(port);
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
            const QComboBox* results = control<QComboBox>(frm, "CBCas");
            QStringList items;
            for (int i = 1; i < results->count(); ++i)
                items << results->itemText(i);
            std::printf("LIST %s\n", items.join('|').toUtf8().constData());
            std::fflush(stdout);
        });
        std::printf("READY %d\n", frm.state().awaitingGreeting ? 1 : 0);
        std::fflush(stdout);
    });
}
