// SPDX-License-Identifier: GPL-3.0-or-later
#include "hub_fixture.h"
#include "time_surface.h"

#include <QFontInfo>
#include <QFontMetrics>

using namespace zorvat;

namespace {

struct Place {
    const char* name;
    const char* parent;
    QRect geometry;
};

// Controls whose place and size the layout fixes, shared by both editions.
const Place kFixed[] = {
    {"pnlCas", "frmCas", {8, 8, 249, 153}},         {"pnlUloz", "frmCas", {8, 167, 249, 119}},
    {"pnl_ext", "frmCas", {258, 8, 185, 278}},      {"pnlReklama", "frmCas", {8, 152, 435, 134}},
    {"pnlUvod", "frmCas", {8, 2, 435, 144}},        {"lblCas", "pnlCas", {8, 25, 227, 57}},
    {"lblCasD", "pnlCas", {13, 75, 222, 57}},       {"lblDraha", "pnlCas", {6, 129, 67, 16}},
    {"lblPriprava", "pnlCas", {72, 129, 27, 16}},   {"lblTerce", "pnlCas", {110, 129, 60, 16}},
    {"lblNCas", "pnlCas", {181, 129, 54, 16}},      {"DXCas1", "pnlCas", {8, 25, 227, 57}},
    {"CBCas", "pnlUloz", {13, 50, 222, 33}},        {"btnDel", "pnlUloz", {89, 88, 81, 21}},
    {"SB_zobr", "pnl_ext", {4, 2, 175, 22}},        {"edtSDH", "pnl_ext", {69, 25, 109, 21}},
    {"edtM0", "pnl_ext", {93, 47, 85, 21}},         {"edtM1", "pnl_ext", {94, 69, 85, 21}},
    {"edtM2", "pnl_ext", {93, 91, 85, 21}},         {"edtMR", "pnl_ext", {95, 117, 85, 21}},
    {"edtText", "pnl_ext", {69, 135, 109, 21}},     {"btnAutomat", "pnl_ext", {5, 173, 173, 26}},
    {"imgReklama", "pnlReklama", {0, 0, 435, 136}}, {"CBverze", "pnlUvod", {122, 3, 59, 22}},
    {"CBFormat", "pnlUvod", {295, 3, 59, 22}},      {"CBformat_casu", "pnlUvod", {230, 30, 59, 22}},
    {"CBmezicasy", "pnlUvod", {230, 58, 59, 22}},   {"CBUvod", "pnlUvod", {191, 107, 57, 22}},
};

struct Caption {
    const char* name;
    QPoint at;
    int width; // the width the caption was drawn for
};

const Caption kCaptions[] = {
    {"lblVerze", {15, 6}, 101},
    {"lblFormatC", {190, 6}, 99},
    {"lblformat_casu", {15, 35}, 210},
    {"lblmezicasy", {15, 63}, 151},
    {"lblSDH1", {4, 28}, 59},
    {"lblM0", {5, 50}, 83},
    {"lblM1", {4, 72}, 83},
    {"lblM2", {4, 94}, 83},
    {"lblMR", {4, 116}, 85},
    {"lblText", {4, 138}, 64},
    {"lblMezicas", {5, 158}, 150},
    {"lblCasKQ", {13, 28}, 102},
};

// The next control the Tab key reaches.
QWidget* nextTabStop(QWidget* w) {
    for (QWidget* n = w->nextInFocusChain(); n != w; n = n->nextInFocusChain()) {
        if (n->focusPolicy() & Qt::TabFocus && n->focusProxy() == nullptr)
            return n;
    }
    return nullptr;
}

} // namespace

class Layout : public Hub, public ::testing::WithParamInterface<Edition> {};

TEST_P(Layout, ControlsStandWhereTheLayoutPutsThem) {
    start(GetParam());
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Duzeveru RE 4"));
    for (const Place& p : kFixed) {
        auto* w = frm->findChild<QWidget*>(QString::fromLatin1(p.name));
        ASSERT_TRUE(w) << p.name;
        EXPECT_EQ(w->parentWidget()->objectName().toStdString(), p.parent) << p.name;
        EXPECT_EQ(w->geometry(), p.geometry) << p.name;
    }
    const bool four = GetParam() == Edition::FourSplit;
    EXPECT_EQ(ui<QLabel>("lblTyp")->geometry(), four ? QRect(8, 8, 227, 16) : QRect(2, 8, 246, 16));
    EXPECT_EQ(ui<QLabel>("lblTyp")->font().pixelSize(), four ? 13 : 9);
}

TEST_P(Layout, EveryCaptionFitsItsPlace) {
    start(GetParam());
    ui<AutoSizeLabel>("lblFormat")->setText(QStringLiteral("Formát času: 188,888L 188,888"));
    ui<AutoSizeLabel>("lblMR")->setText(QStringLiteral("Text rozdílu mezi.:"));
    for (const Caption& c : kCaptions) {
        auto* l = frm->findChild<QLabel*>(QString::fromLatin1(c.name));
        ASSERT_TRUE(l) << c.name;
        EXPECT_EQ(l->pos(), c.at) << c.name;
        EXPECT_LE(l->width(), c.width + 2) << c.name << ": " << l->text().toStdString();
    }
    // The longest format caption stays inside its panel.
    EXPECT_LE(ui<AutoSizeLabel>("lblFormat")->geometry().right(), ui<QFrame>("pnlUloz")->width());
    // Fixed labels hold their longest texts.
    struct {
        QLabel* label;
        const char* longest;
    } fixed[] = {{ui<QLabel>("lblDraha"), "Čtyři dráhy"},
                 {ui<QLabel>("lblTerce"), "rozepínací"},
                 {ui<QLabel>("lblNCas"), "čas: ano"},
                 {ui<QLabel>("lblCas"), "P 888,888"}};
    for (const auto& f : fixed)
        EXPECT_LE(QFontMetrics(f.label->font()).horizontalAdvance(QString::fromUtf8(f.longest)),
                  f.label->width())
            << f.longest;
}

TEST_P(Layout, FontsResolveToMetricTwins) {
    start(GetParam());
    EXPECT_EQ(QFontInfo(ui<QLabel>("lblCas")->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(ui<QLabel>("lblCas")->font().bold());
    EXPECT_EQ(ui<QLabel>("lblCas")->font().pixelSize(), 45);
    EXPECT_EQ(QFontInfo(ui<QComboBox>("CBverze")->font()).family(),
              QStringLiteral("Liberation Serif"));
    EXPECT_EQ(QFontInfo(ui<AutoSizeLabel>("lblVerze")->font()).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ui<QLabel>("lblCas")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(ui<QLabel>("lblTyp")->palette().color(QPalette::WindowText), QColor(0, 255, 255));
    EXPECT_EQ(ui<QLabel>("lblDraha")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(ui<QFrame>("pnlCas")->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_P(Layout, InitialTextsAndStates) {
    start(GetParam());
    const bool four = GetParam() == Edition::FourSplit;
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("P 888,888"));
    EXPECT_EQ(ui<QLabel>("lblDraha")->text(), QStringLiteral("jeden útok"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblM0")->text(),
              four ? QStringLiteral("Text 1. mezičasu:") : QStringLiteral("Text 0. mezičasu:"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblMR")->text(),
              four ? QStringLiteral("Text 4. mezičasu:") : QStringLiteral("Text rozdílu mezi.:"));
    EXPECT_EQ(ui<QComboBox>("CBCas")->count(), 1);
    EXPECT_EQ(ui<QComboBox>("CBCas")->itemText(0), QString());
    EXPECT_FALSE(ui<QPushButton>("btnDel")->isEnabled());
    EXPECT_FALSE(ui<QPushButton>("btnAutomat")->isEnabled());
    EXPECT_TRUE(ui<QPushButton>("SB_zobr")->isCheckable());
    EXPECT_FALSE(ui<QPushButton>("SB_zobr")->isChecked());
    EXPECT_TRUE(ui<QLabel>("lblNCas")->isHidden());
    EXPECT_FALSE(ui<TimeSurface>("DXCas1")->isHidden());
    EXPECT_EQ(ui<QComboBox>("CBverze")->count(), 9);
    EXPECT_EQ(ui<QComboBox>("CBverze")->itemText(8), QStringLiteral("4,68"));
}

TEST_P(Layout, TabOrderAndTypingLimits) {
    start(GetParam());
    QWidget* sideOrder[] = {ui<QLineEdit>("edtSDH"), ui<QLineEdit>("edtM0"),
                            ui<QLineEdit>("edtM1"),  ui<QLineEdit>("edtM2"),
                            ui<QLineEdit>("edtMR"),  ui<QLineEdit>("edtText")};
    for (int i = 0; i + 1 < 6; ++i)
        EXPECT_EQ(nextTabStop(sideOrder[i]), sideOrder[i + 1]) << i;
    QWidget* introOrder[] = {ui<QComboBox>("CBUvod"), ui<QComboBox>("CBFormat"),
                             ui<QComboBox>("CBverze"), ui<QComboBox>("CBformat_casu"),
                             ui<QComboBox>("CBmezicasy")};
    for (int i = 0; i + 1 < 5; ++i)
        EXPECT_EQ(nextTabStop(introOrder[i]), introOrder[i + 1]) << i;
    EXPECT_EQ(ui<QComboBox>("CBCas")->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(ui<QPushButton>("SB_zobr")->focusPolicy(), Qt::NoFocus)
        << "neither Tab nor a click focuses it";

    // Typing stops at the limit; a longer text set by the program stays and can be shortened.
    ui<QLineEdit>("edtSDH")->insert(QString(30, QLatin1Char('a')));
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text().size(), 0) << "a 30-character paste does not fit";
    for (int i = 0; i < 30; ++i)
        ui<QLineEdit>("edtSDH")->insert(QStringLiteral("b"));
    EXPECT_EQ(ui<QLineEdit>("edtSDH")->text().size(), 25);
    ui<QLineEdit>("edtM0")->setText(QString(24, QLatin1Char('x')));
    ui<QLineEdit>("edtM0")->backspace();
    EXPECT_EQ(ui<QLineEdit>("edtM0")->text().size(), 23);
    ui<QLineEdit>("edtM0")->insert(QStringLiteral("y"));
    EXPECT_EQ(ui<QLineEdit>("edtM0")->text().size(), 23);
    ui<QLineEdit>("edtText")->insert(QString(200, QLatin1Char('z')));
    EXPECT_EQ(ui<QLineEdit>("edtText")->text().size(), 200);
}

INSTANTIATE_TEST_SUITE_P(BothEditions, Layout,
                         ::testing::Values(Edition::Difference, Edition::FourSplit));
