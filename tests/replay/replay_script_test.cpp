// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_printers.h"
#include "replay_script.h"

#include <gtest/gtest.h>

using namespace zorvat;
using Kind = Command::Kind;

namespace {} // namespace

namespace zorvat {
void PrintTo(const Command& c, std::ostream* os) {
    *os << "{kind " << int(c.kind) << ", line " << c.line << ", name \"" << c.name.toStdString()
        << "\", text \"" << c.text.toStdString() << "\", bytes " << c.bytes.size() << ", number "
        << c.number << ", height " << c.height << ", board " << c.board << '}';
}
} // namespace zorvat

namespace {

Command command(Kind kind, QString name = {}, qint64 number = 0) {
    Command c;
    c.kind = kind;
    c.name = std::move(name);
    c.number = number;
    return c;
}

Command withBytes(std::vector<std::uint8_t> bytes) {
    Command c = command(Kind::Bytes);
    c.bytes = std::move(bytes);
    return c;
}

Command typing(QString name, QString text) {
    Command c = command(Kind::Type, std::move(name));
    c.text = std::move(text);
    return c;
}

Command resize(qint64 w, qint64 h) {
    Command c = command(Kind::Resize, {}, w);
    c.height = h;
    return c;
}

Command boardKey() {
    Command c = command(Kind::Key);
    c.board = true;
    return c;
}

TEST(ReplayScript, EachCommandReadsItsArguments) {
    const struct {
        const char* line;
        Command expected;
    } cases[] = {
        {"pick COM10", command(Kind::Pick, "COM10")},
        {"  bytes 00 15 01 00 AA   # greeting", withBytes({0x00, 0x15, 0x01, 0x00, 0xAA})},
        {"bytes ab f", withBytes({0xAB, 0x0F})},
        {"wait 0", command(Kind::Wait, {}, 0)},
        {"wait\t2000\r", command(Kind::Wait, {}, 2000)},
        {"key space", command(Kind::Key)},
        {"key space board", boardKey()},
        {"select 2", command(Kind::Select, {}, 2)},
        {"message 1493", command(Kind::Message, {}, 1493)},
        {"click btnDel", command(Kind::Click, "btnDel")},
        {"choose CBFormat 1", command(Kind::Choose, "CBFormat", 1)},
        {"type edtSDH SDH  Horní Ves ", typing("edtSDH", "SDH  Horní Ves ")},
        {"type edtSDH  two", typing("edtSDH", " two")},
        {"type edtM0 Sání # the comment goes", typing("edtM0", "Sání ")},
        {"type edtM0", typing("edtM0", "")},
        {"enter edtM1", command(Kind::Enter, "edtM1")},
        {"leave edtM1", command(Kind::Leave, "edtM1")},
        {"resize 800 600", resize(800, 600)},
        {"close", command(Kind::Close)},
        {"dump # all of it", command(Kind::Dump)},
    };
    for (const auto& c : cases) {
        const Script s = parseScript(QString::fromUtf8(c.line));
        ASSERT_FALSE(s.error) << c.line << ": " << s.error->message.toStdString();
        ASSERT_EQ(s.commands.size(), 1u) << c.line;
        Command expected = c.expected;
        expected.line = 1;
        EXPECT_EQ(s.commands[0], expected) << c.line;
    }
}

TEST(ReplayScript, CommentsBlankLinesAndLineEndsKeepLineNumbers) {
    const Script s = parseScript("# greeting\r\n\r\n  \npick COM1\r\n\t# later\nwait 5\ndump");
    ASSERT_FALSE(s.error);
    ASSERT_EQ(s.commands.size(), 3u);
    EXPECT_EQ(s.commands[0].kind, Kind::Pick);
    EXPECT_EQ(s.commands[0].name, "COM1");
    EXPECT_EQ(s.commands[0].line, 4);
    EXPECT_EQ(s.commands[1].line, 6);
    EXPECT_EQ(s.commands[2].kind, Kind::Dump);
    EXPECT_EQ(s.commands[2].line, 7);
}

TEST(ReplayScript, BadLinesAreReportedWithTheirNumber) {
    const struct {
        const char* script;
        int line;
        const char* message;
    } cases[] = {
        {"dump\nfoo\n", 2, "unknown command 'foo'"},
        {"message", 1, "message: missing number"},
        {"message x", 1, "message: bad number 'x'"},
        {"Dump", 1, "unknown command 'Dump'"},
        {"bytes", 1, "bytes: missing bytes"},
        {"bytes 00 0G", 1, "bytes: bad byte '0G'"},
        {"bytes 100", 1, "bytes: bad byte '100'"},
        {"bytes +1", 1, "bytes: bad byte '+1'"},
        {"\n\nwait -5", 3, "wait: number out of range '-5'"},
        {"wait", 1, "wait: missing number"},
        {"wait 5ms", 1, "wait: bad number '5ms'"},
        {"wait 1 2", 1, "wait: unexpected '2'"},
        {"select x", 1, "select: bad number 'x'"},
        {"select -1", 1, "select: number out of range '-1'"},
        {"choose", 1, "choose: missing name"},
        {"choose CBFormat", 1, "choose: missing number"},
        {"key", 1, "key: missing key"},
        {"key enter", 1, "key: unknown key 'enter'"},
        {"key space main", 1, "key: unknown window 'main'"},
        {"resize 10", 1, "resize: missing number"},
        {"resize 0 10", 1, "resize: number out of range '0'"},
        {"resize 10 16777216", 1, "resize: number out of range '16777216'"},
        {"select 2147483648", 1, "select: number out of range '2147483648'"},
        {"pick", 1, "pick: missing port"},
        {"# c\n  click  # none\n", 2, "click: missing name"},
        {"enter edtM0 edtM1", 1, "enter: unexpected 'edtM1'"},
        {"close now", 1, "close: unexpected 'now'"},
    };
    for (const auto& c : cases) {
        const Script s = parseScript(QString::fromUtf8(c.script));
        ASSERT_TRUE(s.error) << c.script;
        EXPECT_EQ(s.error->line, c.line) << c.script;
        EXPECT_EQ(s.error->message, QString::fromUtf8(c.message)) << c.script;
        EXPECT_TRUE(s.commands.empty()) << c.script;
    }
}

} // namespace
