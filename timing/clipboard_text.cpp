// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipboard_text.h"

namespace zorvat {

QString split(QChar hledej, QChar zmen, const QString& retezec) {
    QString out = retezec;
    out.replace(hledej, zmen);
    return out;
}

namespace {

QString withoutLastChar(const QString& s) {
    return s.isEmpty() ? s : s.chopped(1);
}

} // namespace

QString clipboardText(const QString& entry, const std::array<QString, 4>* splits,
                      ClipboardLayout layout) {
    const QChar tab(u'\t');
    QString text;
    if (splits) {
        for (const QString& s : *splits)
            text += s + tab;
    }
    if (layout == ClipboardLayout::FirstWithLetterThenSecond)
        return text + split(QLatin1Char(' '), tab, entry);
    const qsizetype space = entry.indexOf(QLatin1Char(' '));
    const QString a = space < 0 ? entry : entry.left(space);
    const QString b = space < 0 ? QString() : entry.mid(space + 1);
    if (a.endsWith(QLatin1Char('P')))
        return text + b + tab + withoutLastChar(a);
    return text + withoutLastChar(a) + tab + b;
}

} // namespace zorvat
