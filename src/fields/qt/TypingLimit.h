#pragma once

#include <QValidator>

class QLineEdit;

namespace quillet {

// Stops typing beyond `limit` characters without cutting a longer text that the program
// shows (through ShowText): such a text is shown whole and may only be shortened.
class TypingLimit : public QValidator {
    Q_OBJECT

public:
    TypingLimit(QLineEdit& edit, int limit);

    State validate(QString& input, int& pos) const override;
    // Lets the next text set by the program be as long as `length`.
    void Allow(qsizetype length);

private:
    int limit_;
    // The box's text before the edit being validated.
    qsizetype shownLength_ = 0;
};

// Gives the box a typing limit and a width for that many characters.
void LimitTyping(QLineEdit& edit, int limit);

// Sets the box's text from the program, whole, whatever its typing limit.
void ShowText(QLineEdit& edit, const QString& text);

} // namespace quillet
