// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls: names, places, sizes, texts, fonts and colours.
#include "device_settings.h"
#include "intro_picture.h"
#include "jpeg_image.h"
#include "tfrmcas.h"
#include "time_surface.h"
#include "typing_limit.h"
#include "ui_fonts.h"
#include "version_table.h"

#include <QPixmap>

#include <limits>

namespace zorvat {

namespace {

const QColor kRed(255, 0, 0);
const QColor kAqua(0, 255, 255);
const QColor kYellow(255, 255, 0);

QFont arialBold(int px) {
    return uiFont(QStringLiteral("Arial"), px, true);
}
QFont timesNewRoman() {
    return uiFont(QStringLiteral("Times New Roman"), 11);
}
QFont msSansSerifBold(int px) {
    return uiFont(QStringLiteral("MS Sans Serif"), px, true);
}

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

void setTextColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

QFrame* panel(QWidget* parent, const char* name, QRect r) {
    auto* p = named(new QFrame(parent), name);
    p->setFrameStyle(QFrame::Panel | QFrame::Raised);
    p->setGeometry(r);
    p->setAutoFillBackground(true);
    return p;
}

// A label whose size the layout fixes.
QLabel* fixedLabel(QWidget* parent, const char* name, QRect r, const QString& text,
                   const QFont& font, const QColor& colour, Qt::Alignment align = Qt::AlignLeft) {
    auto* l = named(new QLabel(text, parent), name);
    l->setTextFormat(Qt::PlainText); // captions are typed by the user
    l->setGeometry(r);
    l->setFont(font);
    l->setAlignment(align | Qt::AlignTop);
    setTextColour(l, colour);
    return l;
}

// A label that takes the size of its text.
AutoSizeLabel* autoLabel(QWidget* parent, const char* name, QPoint at, const QString& text) {
    auto* l = named(new AutoSizeLabel(parent), name);
    l->setTextFormat(Qt::PlainText); // captions are typed by the user
    l->move(at);
    l->setText(text);
    l->adjustSize(); // an empty text too
    return l;
}

QComboBox* dropDown(QWidget* parent, const char* name, QRect r, const QStringList& items,
                    const QFont& font) {
    auto* c = named(new QComboBox(parent), name);
    c->setGeometry(r);
    c->setFont(font);
    c->addItems(items);
    c->setCurrentIndex(items.isEmpty() ? -1 : 0);
    return c;
}

QLineEdit* editBox(QWidget* parent, const char* name, QRect r, int typingLimit) {
    auto* e = named(new QLineEdit(parent), name);
    e->setGeometry(r);
    // Qt's own cap (32,767) would cut a longer caption set from kq.ini or actual.txt.
    e->setMaxLength(std::numeric_limits<int>::max());
    if (typingLimit > 0)
        limitTyping(e, typingLimit);
    return e;
}

QPushButton* button(QWidget* parent, const char* name, QRect r, const QString& text,
                    const QFont& font) {
    auto* b = named(new QPushButton(text, parent), name);
    b->setGeometry(r);
    b->setFont(font);
    return b;
}

} // namespace

void TfrmCas::buildLayout() {
    setObjectName(QStringLiteral("frmCas"));
    setWindowTitle(QStringLiteral("Duzeveru RE 4"));
    resize(451, 288);
    setFont(uiFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);

    // Creation order decides stacking: later panels lie above earlier ones.
    buildTimePanel();
    buildResultsPanel();
    buildSidePanel();
    buildPicturePanel();
    buildIntroPanel();
    buildLinkNotice();
}

// Over the results panel's heading, so that no control moves and the times stay in view.
void TfrmCas::buildLinkNotice() {
    linkNotice = named(new QLabel(this), "linkNotice");
    linkNotice->setGeometry(10, 169, 245, 44);
    linkNotice->setFont(arialBold(12));
    linkNotice->setAlignment(Qt::AlignCenter);
    linkNotice->setAutoFillBackground(true);
    QPalette p = linkNotice->palette();
    p.setColor(QPalette::Window, kYellow);
    p.setColor(QPalette::WindowText, kRed);
    linkNotice->setPalette(p);
    linkNotice->setText(
        QStringLiteral("Spojení s časomírou přerušeno!\nPřipojte ji znovu, program čeká."));
    linkNotice->hide();
}

void TfrmCas::buildTimePanel() {
    pnlCas = panel(this, "pnlCas", {8, 8, 249, 153});
    QPalette black = pnlCas->palette();
    black.setColor(QPalette::Window, black.color(QPalette::ButtonText));
    pnlCas->setPalette(black);

    const bool four = edition_ == Edition::FourSplit;
    lblTyp = fixedLabel(pnlCas, "lblTyp", four ? QRect(8, 8, 227, 16) : QRect(2, 8, 246, 16),
                        QString(), arialBold(four ? 13 : 9), kAqua);
    lblCas = fixedLabel(pnlCas, "lblCas", {8, 25, 227, 57}, QString(), arialBold(45), kRed,
                        Qt::AlignRight);
    lblCasD = fixedLabel(pnlCas, "lblCasD", {13, 75, 222, 57}, QString(), arialBold(45), kRed,
                         Qt::AlignRight);
    lblDraha = fixedLabel(pnlCas, "lblDraha", {6, 129, 67, 16}, QString(), arialBold(11), kYellow);
    lblPriprava = fixedLabel(pnlCas, "lblPriprava", {72, 129, 27, 16}, QString(), arialBold(11),
                             kYellow, Qt::AlignRight);
    lblTerce = fixedLabel(pnlCas, "lblTerce", {110, 129, 60, 16}, QString(), arialBold(11), kYellow,
                          Qt::AlignRight);
    lblNCas = fixedLabel(pnlCas, "lblNCas", {181, 129, 54, 16}, QString(), arialBold(11), kYellow,
                         Qt::AlignRight);
    DXCas1 = named(new TimeSurface(pnlCas), "DXCas1");
    DXCas1->setGeometry(8, 25, 227, 57);
    showStartCaptions();
}

// The time panel before the device has said anything; the description line comes with the
// version step.
void TfrmCas::showStartCaptions() {
    const QString eights = QStringLiteral("P 888,888");
    lblCas->setText(eights);
    lblCasD->setText(eights);
    lblDraha->setText(QStringLiteral("jeden útok"));
    lblPriprava->setText(preparationCaption(5, 0));
    lblTerce->setText(QStringLiteral("rozepínací"));
    lblNCas->setText(QStringLiteral("čas: Ano"));
    lblNCas->hide();
}

void TfrmCas::buildResultsPanel() {
    pnlUloz = panel(this, "pnlUloz", {8, 167, 249, 119});
    lblFormat = autoLabel(pnlUloz, "lblFormat", {13, 6}, QString());
    lblFormat->setFont(arialBold(13));
    setTextColour(lblFormat, kRed);
    lblCasKQ = autoLabel(pnlUloz, "lblCasKQ", {13, 28}, QString());
    lblCasKQ->setFont(arialBold(13));
    setTextColour(lblCasKQ, Qt::black);
    lblCasKQ->setText(QStringLiteral("Časy z časomíry"));
    CBCas = dropDown(pnlUloz, "CBCas", {13, 50, 222, 33}, {QString()}, msSansSerifBold(21));
    CBCas->setFocusPolicy(Qt::ClickFocus);
    btnDel =
        button(pnlUloz, "btnDel", {89, 88, 81, 21}, QStringLiteral("Vymazat"), msSansSerifBold(11));
    btnDel->setEnabled(false);
}

void TfrmCas::buildSidePanel() {
    pnl_ext = panel(this, "pnl_ext", {258, 8, 185, 278});
    const bool four = edition_ == Edition::FourSplit;

    SB_zobr =
        button(pnl_ext, "SB_zobr", {4, 2, 175, 22}, QStringLiteral("Zobrazit/schovat LED"), font());
    SB_zobr->setCheckable(true);
    // Out of the tab order and never focused by a click: a space meant for a split must not
    // toggle the board in front of the spectators.
    SB_zobr->setFocusPolicy(Qt::NoFocus);
    lblSDH1 = autoLabel(pnl_ext, "lblSDH1", {4, 28}, QStringLiteral("Název týmu:"));
    edtSDH = editBox(pnl_ext, "edtSDH", {69, 25, 109, 21}, 25);
    lblM0 =
        autoLabel(pnl_ext, "lblM0", {5, 50},
                  four ? QStringLiteral("Text 1. mezičasu:") : QStringLiteral("Text 0. mezičasu:"));
    edtM0 = editBox(pnl_ext, "edtM0", {93, 47, 85, 21}, 20);
    lblM1 =
        autoLabel(pnl_ext, "lblM1", {4, 72},
                  four ? QStringLiteral("Text 2. mezičasu:") : QStringLiteral("Text 1. mezičasu:"));
    edtM1 = editBox(pnl_ext, "edtM1", {94, 69, 85, 21}, 20);
    lblM2 =
        autoLabel(pnl_ext, "lblM2", {4, 94},
                  four ? QStringLiteral("Text 3. mezičasu:") : QStringLiteral("Text 2. mezičasu:"));
    edtM2 = editBox(pnl_ext, "edtM2", {93, 91, 85, 21}, 20);
    lblMR = autoLabel(pnl_ext, "lblMR", {4, 116},
                      four ? QStringLiteral("Text 4. mezičasu:")
                           : QStringLiteral("Text rozdílu mezi.:"));
    edtMR = editBox(pnl_ext, "edtMR", {95, 117, 85, 21}, 20);
    lblText = autoLabel(pnl_ext, "lblText", {4, 138}, QStringLiteral("Posuvný text:"));
    edtText = editBox(pnl_ext, "edtText", {69, 135, 109, 21}, 0);
    lblMezicas = autoLabel(pnl_ext, "lblMezicas", {5, 158}, QString());
    lblMezicas->setFont(uiFont(QStringLiteral("MS Sans Serif"), 11));
    setTextColour(lblMezicas, kRed);
    lblMezicas->setText(QStringLiteral("Mezičasy zobrazíte mezerníkem"));
    btnAutomat = button(pnl_ext, "btnAutomat", {5, 173, 173, 26},
                        automaticStageText(AutomaticStage::Ready), msSansSerifBold(11));
    btnAutomat->setEnabled(false);
    btnAutomat->setFocusPolicy(Qt::ClickFocus);
    lblM0C = autoLabel(pnl_ext, "lblM0C", {5, 205}, QString());
    lblM1C = autoLabel(pnl_ext, "lblM1C", {5, 222}, QString());
    lblM2C = autoLabel(pnl_ext, "lblM2C", {5, 238}, QString());
    lblMRC = autoLabel(pnl_ext, "lblMRC", {5, 254}, QString());

    setTabOrder(edtSDH, edtM0);
    setTabOrder(edtM0, edtM1);
    setTabOrder(edtM1, edtM2);
    setTabOrder(edtM2, edtMR);
    setTabOrder(edtMR, edtText);
}

void TfrmCas::buildPicturePanel() {
    pnlReklama = panel(this, "pnlReklama", {8, 152, 435, 134});
    imgReklama = named(new QLabel(pnlReklama), "imgReklama");
    imgReklama->setGeometry(0, 0, 435, 136);
    imgReklama->setScaledContents(true);
    imgReklama->setPixmap(QPixmap::fromImage(decodeJpeg(introJpeg())));
}

void TfrmCas::buildIntroPanel() {
    pnlUvod = panel(this, "pnlUvod", {8, 2, 435, 144});
    lblVerze = autoLabel(pnlUvod, "lblVerze", {15, 6}, QStringLiteral("Volba verze časomíry"));
    QStringList versions;
    for (const VersionRow& row : versionTable())
        versions << QString::fromLatin1(row.text);
    CBverze = dropDown(pnlUvod, "CBverze", {122, 3, 59, 22}, versions, timesNewRoman());
    lblFormatC = autoLabel(pnlUvod, "lblFormatC", {190, 6}, QStringLiteral("Zobrazovazný formát"));
    CBFormat = dropDown(pnlUvod, "CBFormat", {295, 3, 59, 22},
                        {QStringLiteral("setiny"), QStringLiteral("tisíciny")}, timesNewRoman());
    lblformat_casu = autoLabel(pnlUvod, "lblformat_casu", {15, 35},
                               QStringLiteral("Vyberte formát času pro uložení do schránky"));
    CBformat_casu = dropDown(pnlUvod, "CBformat_casu", {230, 30, 59, 22},
                             {QStringLiteral("L/P, C"), QStringLiteral("L, P")}, timesNewRoman());
    lblmezicasy = autoLabel(pnlUvod, "lblmezicasy", {15, 63},
                            QStringLiteral("Ukládání mezičasů do schránky"));
    CBmezicasy = dropDown(pnlUvod, "CBmezicasy", {230, 58, 59, 22},
                          {QStringLiteral("Ano"), QStringLiteral("Ne")}, timesNewRoman());
    lblUvod = autoLabel(pnlUvod, "lblUvod", {10, 83}, QString());
    lblUvod1 = autoLabel(pnlUvod, "lblUvod1", {363, 80}, QString());
    CBUvod = dropDown(pnlUvod, "CBUvod", {191, 107, 57, 22}, {}, font());
    // Free space right of the port list, clear of lblUvod1's place.
    restoreNotice = named(new QLabel(pnlUvod), "restoreNotice");
    restoreNotice->setGeometry(262, 104, 168, 34);
    restoreNotice->setWordWrap(true);
    restoreNotice->setFont(arialBold(11));

    setTabOrder(CBUvod, CBFormat);
    setTabOrder(CBFormat, CBverze);
    setTabOrder(CBverze, CBformat_casu);
    setTabOrder(CBformat_casu, CBmezicasy);
}

} // namespace zorvat
