// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV export, byte for byte, as a Czech spreadsheet reads it.
#include "qt_printers.h"
#include "results_csv.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace zorvat;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHeader = QStringLiteral("Start;Výsledek;1491 wParam;1491 lParam;1492 wParam;"
                                          "1492 lParam;Mezičas 1;Popis 1;Mezičas 2;Popis 2;"
                                          "Mezičas 3;Popis 3;Mezičas 4;Popis 4\r\n")
                               .toUtf8();

ResultRow row(const QString& text, std::optional<ResultNumbers> numbers) {
    return ResultRow{QDateTime(QDate(2024, 5, 12), QTime(10, 0, 0, 123), Qt::OffsetFromUTC, 7200),
                     JournalEntry{text, numbers},
                     {}};
}

TEST(ResultsCsv, EmptyListIsTheHeaderAlone) {
    EXPECT_EQ(resultsCsv({}), kBom + kHeader);
}

struct CsvCase {
    const char* name;
    ResultRow row;
    QString line; // without CRLF
};

class ResultsCsvRow : public ::testing::TestWithParam<CsvCase> {};

TEST_P(ResultsCsvRow, OneLinePerEntry) {
    const QByteArray csv = resultsCsv({GetParam().row});
    ASSERT_TRUE(csv.startsWith(kBom + kHeader));
    EXPECT_EQ(QString::fromUtf8(csv.mid(kBom.size() + kHeader.size())),
              GetParam().line + QStringLiteral("\r\n"));
}

ResultRow withSplits(ResultRow r, std::array<std::optional<SplitCell>, 4> splits) {
    r.splits = std::move(splits);
    return r;
}

ResultRow withoutAttempt(ResultRow r) {
    r.attemptStarted = QDateTime();
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultsCsvRow,
    ::testing::Values(
        CsvCase{"attack",
                row(QStringLiteral("14,96L 23,88"), ResultNumbers{0, 1496, std::pair{2, 2388}}),
                QStringLiteral("12.05.2024 10:00:00,123;14,96L 23,88;0;1496;2;2388;;;;;;;;")},
        CsvCase{"track_without_1492",
                row(QStringLiteral("3 45,678"), ResultNumbers{8, 45678, std::nullopt}),
                QStringLiteral("12.05.2024 10:00:00,123;3 45,678;8;45678;;;;;;;;;;")},
        CsvCase{"nothing_sent", withoutAttempt(row(QStringLiteral("P 12,34"), std::nullopt)),
                QStringLiteral(";P 12,34;;;;;;;;;;;;")},
        CsvCase{"splits_with_captions",
                withSplits(row(QStringLiteral("31,05P 32,00"), std::nullopt),
                           {SplitCell{QStringLiteral("10,00"), QStringLiteral("Kadeř")},
                            SplitCell{QStringLiteral("15,20"), QString()}, std::nullopt,
                            SplitCell{QStringLiteral("5,20"), QStringLiteral("Rozdíl")}}),
                QStringLiteral("12.05.2024 10:00:00,123;31,05P 32,00;;;;;10,00;Kadeř;15,20;;;;"
                               "5,20;Rozdíl")},
        CsvCase{"quoted_captions",
                withSplits(row(QStringLiteral("1 20,00"), std::nullopt),
                           {SplitCell{QStringLiteral("1,00"), QStringLiteral("SDH; Lhota")},
                            SplitCell{QStringLiteral("2,00"), QStringLiteral("\"Béčko\"")},
                            SplitCell{QStringLiteral("3,00"), QStringLiteral("dva\nřádky")},
                            std::nullopt}),
                QStringLiteral("12.05.2024 10:00:00,123;1 20,00;;;;;1,00;\"SDH; Lhota\";2,00;"
                               "\"\"\"Béčko\"\"\";3,00;\"dva\nřádky\";;")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultsCsv, KeepsListOrder) {
    const QByteArray csv = resultsCsv({withoutAttempt(row(QStringLiteral("B"), std::nullopt)),
                                       withoutAttempt(row(QStringLiteral("A"), std::nullopt))});
    EXPECT_EQ(csv, kBom + kHeader + ";B;;;;;;;;;;;;\r\n;A;;;;;;;;;;;;\r\n");
}

} // namespace
