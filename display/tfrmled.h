#pragma once

#include "timer.h"

#include <QLabel>
#include <QWidget>
#include <memory>

namespace zorvat {

// The board window for a large LED display: team name, four split rows, the START banner
// and the moving-text strip. Created hidden; closing it only hides it.
class TfrmLED : public QWidget {
public:
    TfrmLED(QWidget* owner, TimerFactory& timers);

    QLabel* lblSDH;
    QLabel* lblM0;
    QLabel* lblM1;
    QLabel* lblM2;
    QLabel* lblMR;
    QLabel* lblCas0;
    QLabel* lblCas1;
    QLabel* lblCas2;
    QLabel* lblCas3;
    QLabel* lblpom;
    QWidget* DXDraw;
    QLabel* pnlStart;
    std::unique_ptr<Timer> tmrStart;

    void tmrStartTimer();

private:
    QLabel* boardLabel(const char* name, const QColor& colour, Qt::Alignment align);
};

} // namespace zorvat
