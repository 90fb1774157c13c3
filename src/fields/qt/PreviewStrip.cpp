#include "fields/qt/PreviewStrip.h"

#include "fields/MachineFieldForm.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

namespace quillet {

namespace {
// The widest preview (a comment) has 25 characters.
constexpr int kPreviewCharacters = 25;
constexpr int kPadding = 2;
} // namespace

PreviewStrip::PreviewStrip(QWidget* parent)
    : QWidget(parent), bar_(new QScrollBar(Qt::Horizontal, this)), frame_(new QFrame(this)),
      preview_(new QLabel(frame_)) {
    bar_->setPageStep(1);
    frame_->setFrameShape(QFrame::Box);
    frame_->setFrameShadow(QFrame::Sunken);
    frame_->setAutoFillBackground(true);
    // A fixed pitch lets the operator count the characters up to the trigger.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(field_form::kPreviewPointSize);
    preview_->setFont(font);
    // Label texts are shown as they are, never taken for markup.
    preview_->setTextFormat(Qt::PlainText);
    preview_->setAlignment(Qt::AlignCenter);
    // Measured with a line of text, as it will always show one.
    preview_->setText(QString(kPreviewCharacters, QLatin1Char('?')));
    preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* column = new QVBoxLayout(frame_);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->addWidget(preview_);
    frame_->raise();
}

int PreviewStrip::ArrowWidth() const {
    QStyleOptionSlider option;
    option.initFrom(bar_);
    option.orientation = Qt::Horizontal;
    option.minimum = bar_->minimum();
    option.maximum = bar_->maximum();
    option.sliderPosition = bar_->value();
    option.sliderValue = bar_->value();
    option.singleStep = bar_->singleStep();
    option.pageStep = bar_->pageStep();
    option.rect = QRect(QPoint(0, 0), bar_->size());
    const QRect arrow =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, bar_);
    return arrow.isValid() ? arrow.width() : style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

QSize PreviewStrip::sizeHint() const {
    const QFontMetrics metrics(preview_->font());
    const int text = metrics.horizontalAdvance(QString(kPreviewCharacters, QLatin1Char('?')));
    const int arrows = 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int border = 2 * frame_->frameWidth() + 2 * kPadding;
    return {text + arrows + border + 2, preview_->minimumSizeHint().height() + border};
}

QSize PreviewStrip::minimumSizeHint() const {
    return sizeHint();
}

void PreviewStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bar_->setGeometry(rect());
    const int arrow = ArrowWidth();
    frame_->setGeometry(rect().adjusted(arrow, 0, -arrow, 0));
}

} // namespace quillet
