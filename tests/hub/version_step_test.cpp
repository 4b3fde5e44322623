// SPDX-License-Identifier: GPL-3.0-or-later
#include "hub_fixture.h"

using namespace zorvat;

using VersionStep = Hub;

TEST_F(VersionStep, DifferenceEditionIgnoresAVersionPickUntilClose) {
    writeIni("[Cas]\nTyp=456\n");
    start(Edition::Difference);
    ASSERT_FALSE(frm->CBFormat->isHidden());
    pick(frm->CBverze, 3); // "4,58"
    EXPECT_EQ(frm->verze, 456);
    // A precision change runs the version step, which selects 4,56 again.
    pick(frm->CBFormat, 1);
    EXPECT_EQ(frm->CBverze->currentIndex(), 1);
    EXPECT_EQ(frm->BCas, 4);
    EXPECT_EQ(frm->pocetB_Uvod, 5);
    EXPECT_EQ(frm->lblFormat->text(), QStringLiteral("Formát času: 888,888"));

    pick(frm->CBverze, 3);
    ASSERT_TRUE(closeWindow());
    start(Edition::Difference);
    EXPECT_EQ(frm->verze, 458);
    EXPECT_EQ(frm->pocetB_Uvod, 3);
}

TEST_F(VersionStep, FourSplitEditionTakesTheVersionAtOnceButNotItsParameters) {
    start(Edition::FourSplit);
    companion.sent.clear();
    frm->lblCas->setText(QStringLiteral("x"));
    pick(frm->CBverze, 3);
    EXPECT_EQ(frm->verze, 458);
    EXPECT_EQ(frm->BCas, 3);
    EXPECT_TRUE(frm->CBFormat->isHidden());
    EXPECT_EQ(frm->lblCas->text(), QString())
        << "the format caption is rewritten, the times emptied";
    EXPECT_TRUE(companion.sent.empty());
}

TEST_F(VersionStep, PrecisionChangeStopsTheClockAndTellsTheCompanion) {
    writeIni("[Cas]\nTyp=468\n");
    start(Edition::FourSplit);
    companion.sent.clear();
    frm->t_cas = true;
    frm->t_posun = true;
    pick(frm->CBFormat, 1);
    EXPECT_FALSE(frm->t_cas);
    EXPECT_FALSE(frm->t_posun);
    EXPECT_EQ(frm->maxTime, 199999);
    EXPECT_EQ(frm->lblFormat->text(), QStringLiteral("Formát času: 188,888"));
    EXPECT_EQ(companion.sent, (std::vector<std::array<qint32, 3>>{{1494, 468, 1}}));
}

TEST_F(VersionStep, FormatCaptionFollowsTheAttackFlag) {
    start();
    frm->nast[0] = 0x0A;
    frm->Nastaveni();
    EXPECT_EQ(frm->lblFormat->text(), QStringLiteral("Formát času: 888,88L 888,88"));
    frm->nast[0] = 0x02;
    frm->Nastaveni();
    EXPECT_EQ(frm->lblFormat->text(), QStringLiteral("Formát času: 888,88"));
}
