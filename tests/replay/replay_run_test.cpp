// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built zorvat-replay as other tools do: a script in, one JSON line per dump out.
#include "qt_printers.h"
#include "replay_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kGreeting = "pick COM1\n"
                             "bytes 00 15 01 00 AA # version 4.54 greeting, then a reset\n"
                             "wait 5\n";

TEST(Replay, GreetingStartAndBoardBanner) {
    const Outcome r = replay(kGreeting + "dump\n"
                                         "bytes AB\n"
                                         "wait 100\n"
                                         "dump\n"
                                         "wait 2000\n"
                                         "dump\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 3u);

    const QJsonObject& linked = r.dumps[0];
    EXPECT_EQ(linked["t"].toInteger(), 5);
    EXPECT_TRUE(widget(linked, "frmCas.pnlCas")["visible"].toBool());
    EXPECT_FALSE(widget(linked, "frmCas.pnlUvod")["visible"].toBool());
    EXPECT_EQ(widget(linked, "frmCas.lblDraha")["text"].toString(), "Jedna dráha");
    EXPECT_EQ(linked["state"]["nast"].toArray(), json("[81,161,0]"));
    EXPECT_TRUE(linked["sent"].toArray().contains(json("[1490,454,81]")));
    EXPECT_EQ(linked["lines"].toArray(), json(R"(["RTS+"])"));
    const QJsonObject port = widget(linked, "frmCas.CBUvod");
    EXPECT_EQ(port["text"].toString(), "COM1");
    EXPECT_EQ(port["index"].toInt(), 0);
    EXPECT_EQ(port["items"].toArray().size(), 10);
    const QJsonObject main = widget(linked, "frmCas");
    EXPECT_TRUE(main["visible"].toBool());
    EXPECT_EQ(main["geometry"].toArray(), json("[0,10,462,328]"));
    EXPECT_FALSE(widget(linked, "frmLED")["visible"].toBool());
    EXPECT_FALSE(widget(linked, "frmCas.SB_zobr")["checked"].toBool());
    for (const QString& key : linked["widgets"].toObject().keys())
        EXPECT_TRUE(key == "frmCas" || key == "frmLED" || key.startsWith("frmCas.") ||
                    key.startsWith("frmLED."))
            << key.toStdString();

    // Records cover only what happened since the previous dump.
    const QJsonObject& started = r.dumps[1];
    EXPECT_EQ(started["t"].toInteger(), 105);
    EXPECT_TRUE(started["state"]["t_cas"].toBool());
    EXPECT_TRUE(widget(started, "frmLED.pnlStart")["visible"].toBool());
    EXPECT_EQ(started["sent"].toArray(), json("[[1495,0,0]]"));
    EXPECT_EQ(started["lines"].toArray(), QJsonArray());

    EXPECT_EQ(r.dumps[2]["t"].toInteger(), 2105);
    EXPECT_FALSE(widget(r.dumps[2], "frmLED.pnlStart")["visible"].toBool());
}

TEST(Replay, FocusKeysAndTypingReachTheEditBoxes) {
    const Outcome r = replay(kGreeting + "enter edtSDH\n"
                                         "key space\n"
                                         "leave edtSDH\n"
                                         "key space\n"
                                         "type edtM0 Sání a hadice, dlouhý popisek\n"
                                         "type edtText  dvě mezery\n"
                                         "resize 300 200\n"
                                         "click SB_zobr\n"
                                         "dump\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 1u);
    const QJsonObject& d = r.dumps[0];
    // One space while the box had the focus, none after it left.
    EXPECT_EQ(widget(d, "frmCas.edtSDH")["text"].toString(), " ");
    // Typing stops at the box's limit of 20 characters.
    EXPECT_EQ(widget(d, "frmCas.edtM0")["text"].toString(), "Sání a hadice, dlouh");
    EXPECT_EQ(widget(d, "frmCas.edtText")["text"].toString(), " dvě mezery");
    EXPECT_EQ(widget(d, "frmLED")["geometry"].toArray(), json("[450,10,300,200]"));
    EXPECT_TRUE(widget(d, "frmCas.SB_zobr")["checked"].toBool());
}

TEST(Replay, EditionAndCompanionOptions) {
    const struct {
        QStringList options;
        const char* captionM0;
        const char* sent;
    } cases[] = {
        {{}, "Text 0. mezičasu:", "[[1494,454,0],[1494,454,0],[1490,454,81]]"},
        {{"--edition", "q"}, "Text 1. mezičasu:", "[[1494,454,0],[1490,454,81]]"},
        {{"--companion", "absent"}, "Text 0. mezičasu:", "[]"},
    };
    for (const auto& c : cases) {
        const Outcome r = replay(kGreeting + "dump\n", c.options);
        ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
        ASSERT_EQ(r.dumps.size(), 1u);
        EXPECT_EQ(widget(r.dumps[0], "frmCas.lblM0")["text"].toString(), c.captionM0)
            << c.options.join(' ').toStdString();
        EXPECT_EQ(r.dumps[0]["sent"].toArray(), json(c.sent)) << c.options.join(' ').toStdString();
    }
}

TEST(Replay, CloseWritesTheGivenSettingsFile) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("kq.ini");
    const Outcome r =
        replay("type edtM1 Rozdělovač\nresize 640 480\nclose\ndump\n", {"--ini", ini});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_FALSE(widget(r.dumps[0], "frmCas")["visible"].toBool());
    EXPECT_EQ(r.dumps[0]["errors"].toArray(), QJsonArray());
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("M1=Rozdělovač")) << text.toStdString();
    EXPECT_TRUE(text.contains("Width=640")) << text.toStdString();
    EXPECT_TRUE(text.contains("Typ=454")) << text.toStdString();

    // Read back at the next start.
    const Outcome again = replay("dump\n", {"--ini", ini});
    ASSERT_EQ(again.dumps.size(), 1u);
    EXPECT_EQ(widget(again.dumps[0], "frmCas.edtM1")["text"].toString(), "Rozdělovač");
    EXPECT_EQ(widget(again.dumps[0], "frmLED")["geometry"].toArray(), json("[450,10,640,480]"));
}

TEST(Replay, RefusedCloseReportsAndGoesOn) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("missing/kq.ini");
    const Outcome r = replay("close\ndump\n", {"--ini", ini});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_TRUE(widget(r.dumps[0], "frmCas")["visible"].toBool());
    EXPECT_EQ(r.dumps[0]["errors"].toArray(),
              QJsonArray{"Unable to write to " + QDir::toNativeSeparators(ini)});
}

TEST(Replay, WithoutIniCloseLeavesNoFileBehind) {
    QTemporaryDir tmp, work, runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    // Otherwise Qt makes its runtime directory in TMPDIR.
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    const Outcome r = replay("type edtM0 Sání\nclose\ndump\n", {}, env, work.path());
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_FALSE(widget(r.dumps[0], "frmCas")["visible"].toBool());
    const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    EXPECT_TRUE(QDir(tmp.path()).entryList(all).isEmpty())
        << QDir(tmp.path()).entryList(all).join(" ").toStdString();
    EXPECT_TRUE(QDir(work.path()).entryList(all).isEmpty())
        << QDir(work.path()).entryList(all).join(" ").toStdString();
}

TEST(Replay, BadScriptsAndOptionsStopWithCode2) {
    const struct {
        const char* script;
        QStringList options;
        const char* error;
        std::size_t dumps;
    } cases[] = {
        {"dump\nbytes 0G\n", {}, "line 2: bytes: bad byte '0G'", 0},
        {"dump\nnotify 3\n", {}, "line 2: unknown command 'notify'", 0},
        // Names are checked before anything runs.
        {"dump\nclick btnFoo\n", {}, "line 2: unknown button 'btnFoo'", 0},
        {"dump\n\ntype lblCas x\n", {}, "line 3: unknown edit box 'lblCas'", 0},
        {"pick COM11\n", {}, "line 1: unknown port 'COM11'", 0},
        // A list's entries can change on the way, so the entry is checked when it is chosen.
        {"dump\nselect 1\ndump\n", {}, "line 2: CBCas has no entry 1", 1},
        {"dump\n", {"--edition", "x"}, "unknown edition 'x'", 0},
    };
    for (const auto& c : cases) {
        const Outcome r = replay(c.script, c.options);
        EXPECT_EQ(r.exitCode, 2) << c.script;
        EXPECT_TRUE(r.errors.contains(QString::fromUtf8(c.error))) << r.errors.toStdString();
        EXPECT_EQ(r.dumps.size(), c.dumps) << c.script;
    }
}

} // namespace
