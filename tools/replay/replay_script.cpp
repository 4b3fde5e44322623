// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay_script.h"

#include <QStringList>
#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

namespace zorvat {

namespace {

using Kind = Command::Kind;

// The largest window side Qt accepts.
constexpr qint64 kMaxSide = (1 << 24) - 1;

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Words of one line, left to right.
class Words {
public:
    explicit Words(QStringView s) : s_(s) {}

    QStringView next() {
        skipBlanks();
        qsizetype end = pos_;
        while (end < s_.size() && !isBlank(s_[end]))
            ++end;
        const QStringView word = s_.sliced(pos_, end - pos_);
        pos_ = end;
        return word;
    }

    // Everything after the single separator that follows the last word, blanks included.
    QString rest() const {
        return pos_ + 1 < s_.size() ? s_.sliced(pos_ + 1).toString() : QString();
    }

    bool atEnd() {
        skipBlanks();
        return pos_ == s_.size();
    }

private:
    void skipBlanks() {
        while (pos_ < s_.size() && isBlank(s_[pos_]))
            ++pos_;
    }

    QStringView s_;
    qsizetype pos_ = 0;
};

struct Failure {
    QString message;
};

QString quoted(QStringView word) {
    return QLatin1Char('\'') + word.toString() + QLatin1Char('\'');
}

QStringView requireWord(Words& w, const QString& command, const char* what) {
    const QStringView word = w.next();
    if (word.isEmpty())
        throw Failure{command + QStringLiteral(": missing ") + QLatin1String(what)};
    return word;
}

qint64 requireNumber(Words& w, const QString& command, qint64 least, qint64 most) {
    const QStringView word = requireWord(w, command, "number");
    bool ok = false;
    const qint64 n = word.toLongLong(&ok, 10);
    if (!ok)
        throw Failure{command + QStringLiteral(": bad number ") + quoted(word)};
    if (n < least || n > most)
        throw Failure{command + QStringLiteral(": number out of range ") + quoted(word)};
    return n;
}

std::uint8_t toByte(QStringView word) {
    bool ok = false;
    const uint b = word.size() <= 2 ? word.toUInt(&ok, 16) : 0;
    if (!ok || word.startsWith(QLatin1Char('+')) || word.startsWith(QLatin1Char('-')))
        throw Failure{QStringLiteral("bytes: bad byte ") + quoted(word)};
    return static_cast<std::uint8_t>(b);
}

void noMore(Words& w, const QString& command) {
    if (!w.atEnd())
        throw Failure{command + QStringLiteral(": unexpected ") + quoted(w.next())};
}

const std::pair<const char*, Kind> kKinds[] = {
    {"pick", Kind::Pick},     {"bytes", Kind::Bytes},   {"wait", Kind::Wait},
    {"key", Kind::Key},       {"select", Kind::Select}, {"click", Kind::Click},
    {"choose", Kind::Choose}, {"type", Kind::Type},     {"enter", Kind::Enter},
    {"leave", Kind::Leave},   {"resize", Kind::Resize}, {"message", Kind::Message},
    {"close", Kind::Close},   {"dump", Kind::Dump},
};

Command parseCommand(Words& w, QStringView word) {
    const QString command = word.toString();
    Command c;
    const auto* known = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const auto& k) {
        return command == QLatin1String(k.first);
    });
    if (known == std::end(kKinds))
        throw Failure{QStringLiteral("unknown command ") + quoted(word)};
    c.kind = known->second;
    switch (c.kind) {
    case Kind::Pick:
        c.name = requireWord(w, command, "port").toString();
        break;
    case Kind::Bytes:
        c.bytes.push_back(toByte(requireWord(w, command, "bytes")));
        while (!w.atEnd())
            c.bytes.push_back(toByte(w.next()));
        break;
    case Kind::Wait:
        c.number = requireNumber(w, command, 0, std::numeric_limits<qint64>::max());
        break;
    case Kind::Key:
        if (const QStringView key = requireWord(w, command, "key"); key != QLatin1String("space"))
            throw Failure{QStringLiteral("key: unknown key ") + quoted(key)};
        if (!w.atEnd()) {
            const QStringView window = w.next();
            if (window != QLatin1String("board"))
                throw Failure{QStringLiteral("key: unknown window ") + quoted(window)};
            c.board = true;
        }
        break;
    case Kind::Select:
        c.number = requireNumber(w, command, 0, std::numeric_limits<int>::max());
        break;
    case Kind::Message:
        c.number = requireNumber(w, command, 0, std::numeric_limits<int>::max());
        break;
    case Kind::Choose:
        c.name = requireWord(w, command, "name").toString();
        c.number = requireNumber(w, command, 0, std::numeric_limits<int>::max());
        break;
    case Kind::Type:
        c.name = requireWord(w, command, "name").toString();
        c.text = w.rest();
        return c;
    case Kind::Click:
    case Kind::Enter:
    case Kind::Leave:
        c.name = requireWord(w, command, "name").toString();
        break;
    case Kind::Resize:
        c.number = requireNumber(w, command, 1, kMaxSide);
        c.height = requireNumber(w, command, 1, kMaxSide);
        break;
    case Kind::Close:
    case Kind::Dump:
        break;
    }
    noMore(w, command);
    return c;
}

} // namespace

Script parseScript(const QString& text) {
    Script script;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (const qsizetype hash = line.indexOf(QLatin1Char('#')); hash >= 0)
            line.truncate(hash);
        Words words(line);
        const QStringView first = words.next();
        if (first.isEmpty())
            continue;
        const int number = static_cast<int>(i + 1);
        try {
            Command c = parseCommand(words, first);
            c.line = number;
            script.commands.push_back(std::move(c));
        } catch (const Failure& f) {
            return Script{{}, ScriptError{number, f.message}};
        }
    }
    return script;
}

} // namespace zorvat
