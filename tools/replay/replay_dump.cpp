// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay_dump.h"

#include "replay_controls.h"
#include "tfrmcas.h"
#include "tfrmled.h"

#include <QAbstractButton>
#include <QJsonArray>

namespace zorvat {

namespace {

QString textOf(const QWidget* w) {
    if (w->isWindow())
        return w->windowTitle();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    return {};
}

QJsonArray rect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

QJsonObject describe(const QWidget* w) {
    const bool window = w->isWindow();
    QJsonObject o{
        {"text", textOf(w)},
        {"visible", window ? w->isVisible() : !w->isHidden()},
        {"enabled", w->isEnabled()},
        {"geometry", rect(window ? w->frameGeometry() : w->geometry())},
    };
    if (const auto* c = qobject_cast<const QComboBox*>(w)) {
        QJsonArray items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        o.insert("items", items);
        o.insert("index", c->currentIndex());
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && b->isCheckable())
        o.insert("checked", b->isChecked());
    return o;
}

void addWindow(QJsonObject& widgets, const QWidget* window) {
    const QString prefix = window->objectName() + QLatin1Char('.');
    widgets.insert(window->objectName(), describe(window));
    for (const QWidget* w : namedControls(window))
        widgets.insert(prefix + w->objectName(), describe(w));
}

QJsonObject state(const TfrmCas& frmCas) {
    const HubState f = frmCas.state();
    return {
        {"verze", f.verze},
        {"BCas", f.BCas},
        {"pocetB_Uvod", f.pocetB_Uvod},
        {"maxTime", f.maxTime},
        {"t_cas", f.t_cas},
        {"casu", f.casu},
        {"pcas", f.pcas},
        {"nast", QJsonArray{f.nast[0], f.nast[1], f.nast[2]}},
        {"pripravaM", f.pripravaM},
        {"pripravaS", f.pripravaS},
        {"t_posun", f.t_posun},
        {"prik_data", f.prik_data},
    };
}

} // namespace

QJsonObject dumpJson(const TfrmCas& frmCas, qint64 t, const Recorded& recorded) {
    QJsonObject widgets;
    addWindow(widgets, &frmCas);
    addWindow(widgets, frmCas.frmLED());

    QJsonArray sent;
    for (const auto& m : recorded.sent)
        sent << QJsonArray{m[0], m[1], m[2]};
    QJsonArray sounds;
    for (const auto& [file, sync] : recorded.sounds)
        sounds << QJsonArray{file, sync ? "sync" : "async"};

    return {
        {"t", t},
        {"widgets", widgets},
        {"clipboard", recorded.clipboard},
        {"sent", sent},
        {"errors", QJsonArray::fromStringList(recorded.errors)},
        {"sounds", sounds},
        {"lines", QJsonArray::fromStringList(recorded.lines)},
        {"state", state(frmCas)},
    };
}

} // namespace zorvat
