// SPDX-License-Identifier: GPL-3.0-or-later
// Whole attempts as the companion sees them: the messages of a scripted run, in order.
#include "qt_printers.h"
#include "replay_process.h"

#include <QTemporaryDir>

namespace {

// Greets as firmware 4.58 (older layout: nibbles swapped, target 01; then a reset) with
// the given mode byte in its line form; the first dump takes what the greeting sent.
QByteArray greeting(const char* lineMode) {
    return QByteArray("pick COM1\nbytes 00 ") + lineMode + " 01 AE AA\nwait 10\ndump\n";
}

// A run of the program set up for firmware 4.58.
Outcome replay458(const QByteArray& script, const char* edition = "d",
                  const QString& workDir = {}) {
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("kq.ini")));
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Cas]\nTyp=458\n");
    ini.close();
    return replay(script,
                  {QStringLiteral("--edition"), QString::fromLatin1(edition),
                   QStringLiteral("--ini"), ini.fileName()},
                  QProcessEnvironment::systemEnvironment(), workDir);
}

struct AttemptCase {
    const char* name;
    const char* edition;
    const char* lineMode;
    const char* attempt;
    const char* sent;
};

} // namespace

class AttemptMessages : public ::testing::TestWithParam<AttemptCase> {};

TEST_P(AttemptMessages, ReachTheCompanionWithTheirParameters) {
    const AttemptCase& c = GetParam();
    const Outcome r = replay458(greeting(c.lineMode) + c.attempt + "dump\n", c.edition);
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 2u);
    EXPECT_EQ(r.dumps[1]["sent"].toArray(), json(c.sent)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, AttemptMessages,
    ::testing::Values(
        // Two tracks, difference edition, hundredths: start, three splits and the
        // difference, then the two track times.
        AttemptCase{"tracks", "d", "25",
                    "bytes AB\nwait 10004\nkey space\nwait 5200\nkey space\nwait 15845\n"
                    "key space\nbytes BA 02 00 52 34 BA 05 00 61 00\nwait 20\n",
                    "[[1495,0,0],[1495,1,1000],[1495,2,1520],[1495,3,3105],[1495,4,1585],"
                    "[1491,6,5234],[1491,7,6100]]"},
        // One attack, four-split edition: left target then the attack time.
        AttemptCase{"one attack", "q", "A5",
                    "bytes AB\nwait 1500\nkey space\nbytes D1 BA 00 01 84 50 BA 02 01 90 20\n"
                    "wait 20\n",
                    "[[1495,0,0],[1495,1,150],[1491,0,18450],[1492,2,19020]]"},
        // Two attacks: both pairs, right target first.
        AttemptCase{"two attacks", "d", "C5",
                    "bytes AB BA 01 01 00 00 BA 02 01 10 00 BA 03 02 00 00 BA 05 02 10 00\n"
                    "wait 30\n",
                    "[[1495,0,0],[1491,1,10000],[1492,2,11000],[1491,0,20000],[1492,2,21000]]"}));

TEST(CompanionRequests, AreAnsweredAndActualTxtFillsTheTexts) {
    QTemporaryDir work;
    QFile actual(work.filePath(QStringLiteral("actual.txt")));
    ASSERT_TRUE(actual.open(QIODevice::WriteOnly));
    actual.write("SDH Zorvatice\nVítejte\n");
    actual.close();
    const Outcome r =
        replay458(greeting("C5") + "message 1490\nmessage 1494\nmessage 1493\nwait 16\ndump\n", "d",
                  work.path());
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 2u);
    const QJsonObject& d = r.dumps[1];
    EXPECT_EQ(d["sent"].toArray(), json("[[1490,458,92],[1494,458,0]]"));
    EXPECT_EQ(widget(d, "frmCas.edtSDH")["text"].toString(), "SDH Zorvatice");
    EXPECT_EQ(widget(d, "frmCas.edtText")["text"].toString(), "Vítejte");
    EXPECT_TRUE(d["state"]["t_posun"].toBool());

    QFile::remove(actual.fileName());
    const Outcome missing = replay458(greeting("C5") + "message 1493\ndump\n", "d", work.path());
    ASSERT_EQ(missing.dumps.size(), 2u);
    EXPECT_EQ(missing.dumps[1]["errors"].toArray(),
              json(R"(["I/O error: actual.txt: No such file or directory"])"));
}

TEST(AutomaticStartScript, CaptionsSoundsAndPulse) {
    const Outcome r =
        replay458(greeting("15") + "click btnAutomat\ndump\nclick btnAutomat\ndump\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 3u);
    EXPECT_EQ(widget(r.dumps[1], "frmCas.btnAutomat")["text"].toString(), "Pozor!!!");
    EXPECT_EQ(r.dumps[1]["sounds"].toArray(), json(R"([["zacatek.wav","sync"]])"));
    const QJsonObject& fired = r.dumps[2];
    EXPECT_EQ(widget(fired, "frmCas.btnAutomat")["text"].toString(), "Odstartováno!!!");
    EXPECT_FALSE(widget(fired, "frmCas.btnAutomat")["enabled"].toBool());
    EXPECT_EQ(fired["sounds"].toArray(), json(R"([["pozor.wav","sync"],["vystrel.wav","async"]])"));
    EXPECT_EQ(fired["lines"].toArray(), json(R"(["DTR+","DTR-"])"));
    const qint64 pause = fired["t"].toInteger() - r.dumps[1]["t"].toInteger();
    EXPECT_GE(pause, 105);
    EXPECT_LE(pause, 604);
}
