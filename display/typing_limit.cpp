#include "typing_limit.h"

#include <QLineEdit>
#include <QValidator>

namespace zorvat {

namespace {

class TypingLimit final : public QValidator {
public:
    TypingLimit(QLineEdit* edit, int maxChars) : QValidator(edit), edit_(edit), max_(maxChars) {}
    State validate(QString& input, int&) const override {
        const bool fits = input.size() <= max_ || input.size() < edit_->text().size();
        return fits ? Acceptable : Invalid;
    }

private:
    QLineEdit* edit_;
    int max_;
};

} // namespace

void limitTyping(QLineEdit* edit, int maxChars) {
    edit->setValidator(new TypingLimit(edit, maxChars));
}

} // namespace zorvat
