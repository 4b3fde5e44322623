// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_measure.h"

#include "ui_fonts.h"

#include <QFontMetrics>
#include <QHash>
#include <memory>
#include <unordered_map>

namespace zorvat {

namespace {

struct SizeMetrics {
    QFontMetrics fm;
    QHash<QString, int> widths;
};

// Each keystroke in a caption box brings a new text; the older ones are let go in bulk.
constexpr qsizetype kKeptTextsPerSize = 64;

} // namespace

MeasureText boardTextMeasure() {
    auto sizes = std::make_shared<std::unordered_map<int, SizeMetrics>>();
    return [sizes](const QString& text, int pointSize) {
        auto it = sizes->find(pointSize);
        if (it == sizes->end()) {
            QFontMetrics fm(uiFontPt(QStringLiteral("Arial"), pointSize, true));
            it = sizes->emplace(pointSize, SizeMetrics{fm, {}}).first;
        }
        SizeMetrics& m = it->second;
        auto width = m.widths.constFind(text);
        if (width == m.widths.cend()) {
            if (m.widths.size() >= kKeptTextsPerSize)
                m.widths.clear();
            width = m.widths.insert(text, m.fm.horizontalAdvance(text));
        }
        return TextSize{*width, m.fm.height()};
    };
}

} // namespace zorvat
