// SPDX-License-Identifier: GPL-3.0-or-later
// The device's final times: the four time slots, the attempt completion and the redisplay.
#include "course.h"
#include "settings_bytes.h"
#include "tfrmcas.h"
#include "time_surface.h"

#include <QPointer>

namespace zorvat {

void TfrmCas::timeDataByte(std::uint8_t indata, const Framing::Byte& f) {
    const int n = slotCount(nast[0]);
    // Without a reset since the greeting no slot is ready; the first time takes slot 1
    // rather than being lost.
    if (casu == 0)
        casu = 1;
    // Times beyond the count belong to no attempt: dropped, so the completion runs once.
    if (casu > n)
        return;
    casy[casu - 1][f.index - 1] = indata;
    if (!f.last)
        return;
    ++casu;
    if (n >= casu)
        lblCasD->setText(CasToStr(casu - 1, true));
    else
        attemptCompletion();
}

void TfrmCas::attemptCompletion() {
    t_cas = false;
    setCaptionEditsEnabled(true);
    DXCas1->hide();
    const int n = slotCount(nast[0]);
    std::vector<ResultEntry> entries;
    if (attackFlag(nast[0])) {
        const CourseMode mode = courseMode();
        if (mode == CourseMode::TwoAttacks) {
            const AttackSlots s = twoAttackScan();
            pairEntry(s.A, s.B, entries);
            pairEntry(s.C, s.D, entries);
        } else if (mode == CourseMode::OneAttack) {
            lblCas->setText(CasToStr(2, false));
            lblCasD->setText(CasToStr(1, true));
            pairEntry(1, 2, entries);
        }
        addResults(entries);
        return;
    }
    lblCas->setText(CasToStr(n, false));
    lblCasD->setText(n > 1 ? CasToStr(n - 1, true) : QString());
    for (int i = 1; i <= n; ++i)
        entries.push_back(resultEntry(CasToStr(i, true), CasToStrOut(i, true), false));
    addResults(entries);
    pcas = static_cast<std::uint8_t>(n - 1);
    if (pcas > 1)
        tmrPrep->setEnabled(true);
}

TfrmCas::AttackSlots TfrmCas::twoAttackScan() {
    AttackSlots s;
    bool shown = false;
    for (int i = 1; i <= 4; ++i) {
        switch (channelCodeOf(i)) {
        case 0:
        case 1:
            s.A = i;
            break;
        case 3:
        case 4:
            s.C = i;
            break;
        case 2:
        case 5:
            (channelCodeOf(i) == 2 ? s.B : s.D) = i;
            if (!shown)
                lblCas->setText(CasToStr(i, false));
            else
                lblCasD->setText(CasToStr(i, true));
            shown = true;
            break;
        default:
            break;
        }
    }
    return s;
}

// A pair without one of its slots (the device sent no such time) makes no entry.
void TfrmCas::pairEntry(int a, int b, std::vector<ResultEntry>& entries) {
    if (a == 0 || b == 0)
        return;
    const QString letter = Decode_Terc(a);
    entries.push_back(resultEntry(
        CasToStr(a, false) + letter + QLatin1Char(' ') + CasToStr(b, false),
        CasToStrOut(a, false) + letter + QLatin1Char(' ') + CasToStrOut(b, false), true));
}

// A result text that does not convert is reported and gets no numbers; it is still listed,
// and the other results of the attempt still go to the companion.
ResultEntry TfrmCas::resultEntry(const QString& listed, const QString& outputText, bool pair) {
    ResultEntry e{listed, std::nullopt, pair};
    if (preved_cas(outputText))
        e.numbers = data_out;
    return e;
}

// The entries are listed once the subscribers are done with them (the journal has them on
// disk), so a result on screen is safe; meanwhile the window goes on decoding.
void TfrmCas::addResults(const std::vector<ResultEntry>& entries) {
    if (entries.empty())
        return;
    // The final times are on screen before the companion is told, however long that takes.
    lblCas->repaint();
    lblCasD->repaint();
    QStringList texts;
    for (const ResultEntry& e : entries)
        texts << e.text;
    const std::shared_ptr<void> shown(nullptr, [list = QPointer<QComboBox>(CBCas), texts](void*) {
        if (list)
            list->addItems(texts);
    });
    events_.resultsAdded(entries, shown);
}

void TfrmCas::redisplay() {
    if (courseMode() == CourseMode::TwoAttacks) {
        twoAttackScan();
        return;
    }
    const int n = slotCount(nast[0]);
    lblCas->setText(CasToStr(n, false));
    pcas = static_cast<std::uint8_t>(n - 1);
    lblCasD->setText(pcas == 0 ? QString() : CasToStr(pcas, true));
    if (pcas > 1)
        tmrPrep->setEnabled(true);
}

} // namespace zorvat
