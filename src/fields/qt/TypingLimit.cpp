#include "fields/qt/TypingLimit.h"

#include <QLineEdit>

#include <algorithm>

namespace quillet {

TypingLimit::TypingLimit(QLineEdit& edit, int limit)
    : QValidator(&edit), limit_(limit), shownLength_(edit.text().size()) {
    connect(&edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { shownLength_ = text.size(); });
}

QValidator::State TypingLimit::validate(QString& input, int& /*pos*/) const {
    if (input.size() <= limit_ || input.size() <= shownLength_) {
        return Acceptable;
    }
    return Invalid;
}

void TypingLimit::Allow(qsizetype length) {
    shownLength_ = std::max(shownLength_, length);
}

void LimitTyping(QLineEdit& edit, int limit) {
    edit.setValidator(new TypingLimit(edit, limit));
    const int text = edit.fontMetrics().horizontalAdvance(QString(limit, QLatin1Char('W')));
    edit.setFixedWidth(text + 12);
}

void ShowText(QLineEdit& edit, const QString& text) {
    // An edit refused by the validator is undone only while the text was acceptable.
    if (auto* limit = edit.findChild<TypingLimit*>(QString(), Qt::FindDirectChildrenOnly)) {
        limit->Allow(text.size());
    }
    edit.setText(text);
}

} // namespace quillet
