// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board_layout.h"
#include "timer.h"

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QKeyEvent;

namespace zorvat {

class TextStrip;

// The texts of the main window's boxes that the board lays out.
struct BoardTexts {
    QString team, m0, m1, m2, mr;
};

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
    TextStrip* DXDraw;
    QLabel* pnlStart;
    std::unique_ptr<Timer> tmrStart;

    // Set by the main window: its boxes' texts, its key handler, and what a close by the
    // user does to its toggle button.
    std::function<BoardTexts()> boardTexts;
    std::function<void(const QKeyEvent& event)> forwardKey;
    std::function<void()> closedByUser;

    // The moving text and the x position of its left edge in the strip.
    QString Scrolly;
    int scroll = 0;

    void tmrStartTimer();

    // The four split rows, 0 to 3, fill in order: a row is taken once it shows a time.
    void setRow(int row, const QString& caption, const QString& time);
    int rowsTaken() const;
    std::array<QString, 4> rowTimes() const;
    void clearRows();

    // The START banner shows for two seconds after the start, or until hidden.
    void showStartBanner();
    void hideStartBanner();
    bool isStartBannerShown() const { return !pnlStart->isHidden(); }

    // Lays the board out for its outer size and the main window's texts. Only the team name
    // label gets a new text; the rows keep theirs.
    void PrekresliLED();

    // One frame of the moving text, one pixel further left; after the text has run out past
    // the left edge it starts again beyond the right edge.
    void movingTextStep();
    // The moving text starts anew from the right edge with the strip shown.
    void startMovingText(const QString& text);
    // The strip is hidden while the moving text is edited.
    void stopMovingText();
    // The strip as created: shown, with no text.
    void clearMovingText();

protected:
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QLabel* boardLabel(const char* name, const QColor& colour, Qt::Alignment align);
    void placeRow(int k, QLabel* caption, QLabel* time, const BoardLayout& l);
    std::array<QLabel*, 4> captionLabels() const { return {lblM0, lblM1, lblM2, lblMR}; }
    std::array<QLabel*, 4> timeLabels() const { return {lblCas0, lblCas1, lblCas2, lblCas3}; }

    MeasureText measure_;
};

} // namespace zorvat
