// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing_limit.h"

#include <QLineEdit>
#include <QValidator>

namespace zorvat {

namespace {

// The line edit shows the candidate text while validating, so the length before the edit is
// followed here.
class TypingLimit final : public QValidator {
public:
    TypingLimit(QLineEdit* edit, int maxChars)
        : QValidator(edit), max_(maxChars), before_(edit->text().size()) {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& t) { before_ = t.size(); });
    }
    State validate(QString& input, int&) const override {
        return input.size() <= max_ || input.size() < before_ ? Acceptable : Invalid;
    }

private:
    int max_;
    qsizetype before_;
};

} // namespace

void limitTyping(QLineEdit* edit, int maxChars) {
    edit->setValidator(new TypingLimit(edit, maxChars));
}

} // namespace zorvat
