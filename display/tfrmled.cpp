// SPDX-License-Identifier: GPL-3.0-or-later
#include "tfrmled.h"

#include "board_measure.h"
#include "text_strip.h"
#include "ui_fonts.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <algorithm>

namespace zorvat {

TfrmLED::TfrmLED(QWidget* owner, TimerFactory& timers)
    : QWidget(owner, Qt::Window), measure_(boardTextMeasure()) {
    setObjectName(QStringLiteral("frmLED"));
    // No caption of its own; an empty title would make Qt show the program's name instead.
    setWindowTitle(QStringLiteral(" "));
    // Closing the main window ends the program even while the board is shown.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    const QColor yellow(255, 255, 0), red(255, 0, 0), lime(0, 255, 0), aqua(0, 255, 255);
    lblSDH = boardLabel("lblSDH", yellow, Qt::AlignHCenter | Qt::AlignTop);
    lblSDH->hide();
    lblM0 = boardLabel("lblM0", red, Qt::AlignLeft | Qt::AlignTop);
    lblM1 = boardLabel("lblM1", red, Qt::AlignLeft | Qt::AlignTop);
    lblM2 = boardLabel("lblM2", red, Qt::AlignLeft | Qt::AlignTop);
    lblMR = boardLabel("lblMR", red, Qt::AlignLeft | Qt::AlignTop);
    lblCas0 = boardLabel("lblCas0", lime, Qt::AlignRight | Qt::AlignTop);
    lblCas1 = boardLabel("lblCas1", lime, Qt::AlignRight | Qt::AlignTop);
    lblCas2 = boardLabel("lblCas2", lime, Qt::AlignRight | Qt::AlignTop);
    lblCas3 = boardLabel("lblCas3", lime, Qt::AlignRight | Qt::AlignTop);
    lblpom = boardLabel("lblpom", aqua, Qt::AlignHCenter | Qt::AlignTop);
    lblpom->hide();

    DXDraw = new TextStrip(this);

    pnlStart = new QLabel(QStringLiteral("START"), this);
    pnlStart->setObjectName(QStringLiteral("pnlStart"));
    pnlStart->setAlignment(Qt::AlignCenter);
    pnlStart->setFont(uiFontPt(QStringLiteral("Tahoma"), 72, true));
    pnlStart->setAutoFillBackground(true);
    QPalette banner = pnlStart->palette();
    banner.setColor(QPalette::Window, Qt::red);
    banner.setColor(QPalette::WindowText, Qt::white);
    pnlStart->setPalette(banner);
    pnlStart->hide();

    tmrStart = timers.create(2000, [this] { tmrStartTimer(); });
}

void TfrmLED::tmrStartTimer() {
    hideStartBanner();
}

void TfrmLED::showStartBanner() {
    pnlStart->show();
    tmrStart->setEnabled(true);
}

void TfrmLED::hideStartBanner() {
    tmrStart->setEnabled(false);
    pnlStart->hide();
}

void TfrmLED::setRow(int row, const QString& caption, const QString& time) {
    captionLabels().at(row)->setText(caption);
    timeLabels().at(row)->setText(time);
}

int TfrmLED::rowsTaken() const {
    const auto times = timeLabels();
    return static_cast<int>(std::find_if(times.begin(), times.end(),
                                         [](const QLabel* l) { return l->text().isEmpty(); }) -
                            times.begin());
}

std::array<QString, 4> TfrmLED::rowTimes() const {
    std::array<QString, 4> texts;
    std::ranges::transform(timeLabels(), texts.begin(), &QLabel::text);
    return texts;
}

void TfrmLED::clearRows() {
    for (const auto& labels : {captionLabels(), timeLabels()})
        for (QLabel* l : labels)
            l->clear();
}

void TfrmLED::resizeEvent(QResizeEvent*) {
    PrekresliLED();
}

// Keys go to the main window, so a split can be taken with the board active.
void TfrmLED::keyPressEvent(QKeyEvent* e) {
    if (forwardKey)
        forwardKey(*e);
    e->accept();
}

void TfrmLED::closeEvent(QCloseEvent* e) {
    e->ignore();
    hide();
    if (closedByUser)
        closedByUser();
}

QLabel* TfrmLED::boardLabel(const char* name, const QColor& colour, Qt::Alignment align) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    // Team names and captions are typed by the user: "<" is a character, not markup.
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align);
    l->setFont(uiFontPt(QStringLiteral("Arial"), 8, true));
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
}

} // namespace zorvat
