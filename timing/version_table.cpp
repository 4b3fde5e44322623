// SPDX-License-Identifier: GPL-3.0-or-later
#include "version_table.h"

namespace zorvat {

const std::array<VersionRow, 9>& versionTable() {
    static const std::array<VersionRow, 9> rows{{
        {"4,54", 454, 3, 5, 999999, "888,88L 888,88", "888,88"},
        {"4,56", 456, 4, 5, 999999, "888,888L 888,888", "888,888"},
        {"4,57", 457, 3, 5, 99999, "88,888L 88,888", "88,888"},
        {"4,58", 458, 4, 3, 999999, "888,888L 888,888", "888,888"},
        {"4,62", 462, 3, 5, 999999, "888,88L 888,88", "888,88"},
        {"4,63", 463, 3, 5, 99999, "88,888L 88,888", "88,888"},
        {"4,66", 466, 4, 3, 999999, "888,888L 888,888", "888,888"},
        {"4,67", 467, 4, 3, 999999, "888,888L 888,888", "888,888"},
        {"4,68", 468, 4, 3, 199999, "188,888L 188,888", "188,888"},
    }};
    return rows;
}

namespace {

bool isLateVersion(int verze, Edition edition) {
    return edition == Edition::Difference && (verze == 469 || verze == 470);
}

} // namespace

int versionListPosition(int verze, Edition edition) {
    const auto& rows = versionTable();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (rows[i].verze == verze)
            return i;
    }
    if (isLateVersion(verze, edition))
        return verze == 469 ? 9 : 10;
    return -1;
}

bool isNewGreetingVersion(int verze, Edition edition) {
    return verze == 466 || verze == 467 || verze == 468 || isLateVersion(verze, edition);
}

bool isWholeByteCodeVersion(int verze, Edition edition) {
    return verze == 458 || isNewGreetingVersion(verze, edition);
}

bool offersPrecisionChoice(int verze, Edition edition) {
    return verze == 456 || verze == 457 || isWholeByteCodeVersion(verze, edition);
}

} // namespace zorvat
