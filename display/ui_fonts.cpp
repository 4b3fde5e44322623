// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_fonts.h"

namespace zorvat {

namespace {

void registerSubstitutes() {
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                                  QStringLiteral("Liberation Serif"));
        // No metric twins exist for these two; Liberation Sans is the nearest in width.
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                                  QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)done;
}

QFont baseFont(const QString& family, bool bold) {
    registerSubstitutes();
    QFont f(family);
    f.setBold(bold);
    // Narrowed so that captions take the widths the layout was drawn for.
    if (family == QLatin1String("MS Sans Serif"))
        f.setStretch(95);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace

QFont uiFont(const QString& family, int pixelSize, bool bold) {
    QFont f = baseFont(family, bold);
    f.setPixelSize(pixelSize);
    return f;
}

QFont uiFontPt(const QString& family, int pointSize, bool bold) {
    QFont f = baseFont(family, bold);
    f.setPointSize(pointSize);
    return f;
}

} // namespace zorvat
