#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QScrollBar;

namespace quillet {

// The trigger preview: a small frame with the preview text laid over a horizontal scroll
// bar so that only the scroll bar's arrow buttons show, one on either side of the frame.
class PreviewStrip : public QWidget {
public:
    explicit PreviewStrip(QWidget* parent = nullptr);

    QScrollBar& Bar() { return *bar_; }
    QLabel& Preview() { return *preview_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int ArrowWidth() const;

    QScrollBar* bar_;
    QFrame* frame_;
    QLabel* preview_;
};

} // namespace quillet
