#pragma once

#include <QLabel>

namespace quillet {

// A one-line label that never grows its window: a text too long for the room it has is
// drawn cut with "…", and the whole text becomes its tool tip.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    void SetText(const QString& text);
    // Whether the text is drawn cut at the label's present width.
    bool Elided() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateToolTip();
};

} // namespace quillet
