// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_dump.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace zorvat {

namespace {

QString controlState(const QWidget* w) {
    QString s = QStringLiteral("%1 %2 %3%4")
                    .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()))
                    .arg(w->isHidden() ? QLatin1Char('h') : QLatin1Char('v'))
                    .arg(w->isEnabled() ? QLatin1Char('e') : QLatin1Char('d'));
    if (const auto* l = qobject_cast<const QLabel*>(w))
        s += QStringLiteral(" \"%1\"").arg(l->text());
    else if (const auto* e = qobject_cast<const QLineEdit*>(w))
        s += QStringLiteral(" \"%1\"").arg(e->text());
    else if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        s += QStringLiteral(" \"%1\" %2").arg(b->text()).arg(b->isChecked());
    else if (const auto* c = qobject_cast<const QComboBox*>(w)) {
        s += QStringLiteral(" %1 [").arg(c->currentIndex());
        for (int i = 0; i < c->count(); ++i)
            s += c->itemText(i) + QLatin1Char('|');
        s += QLatin1Char(']');
    }
    // A hidden control's size is not seen, and labels size themselves at their next text.
    if (w->isHidden())
        return s + QLatin1Char('\n');
    const QRect g = w->geometry();
    return s +
           QStringLiteral(" %1,%2 %3x%4\n").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
}

} // namespace

QString windowState(const QWidget* window) {
    QString s = controlState(window);
    QList<QWidget*> all = window->findChildren<QWidget*>();
    std::sort(all.begin(), all.end(),
              [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
    for (const QWidget* w : all)
        if (!w->objectName().isEmpty() && w->window() == window)
            s += controlState(w);
    return s;
}

} // namespace zorvat
