#include "fields/qt/QtExclusionDialog.h"

#include "config/qt/CenterForm.h"
#include "config/qt/DialogSize.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

QtExclusionDialog::QtExclusionDialog(const std::string& flags, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExInsForm"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    auto* label = new QLabel(QString::fromLatin1(field_text::kExclusionPrompt), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);

    auto* boxes = new QHBoxLayout;
    const ExclusionTicks ticks = ExclusionTicksFrom(flags);
    for (std::size_t i = 0; i < ExCk_.size(); ++i) {
        const QString number = QString::number(i + 1);
        ExCk_[i] = new QCheckBox(number, this);
        ExCk_[i]->setObjectName(QStringLiteral("ExCk") + number);
        ExCk_[i]->setChecked(ticks[i]);
        boxes->addWidget(ExCk_[i]);
    }

    BtnCan_ = new QPushButton(QString::fromLatin1(field_text::kCancel), this);
    BtnCan_->setObjectName(QStringLiteral("BtnCan"));
    connect(BtnCan_, &QPushButton::clicked, this, &QDialog::reject);
    BtnOK_ = new QPushButton(QString::fromLatin1(field_text::kOk), this);
    BtnOK_->setObjectName(QStringLiteral("BtnOK"));
    BtnOK_->setDefault(true);
    connect(BtnOK_, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnCan_);
    buttons->addStretch();
    buttons->addWidget(BtnOK_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addLayout(boxes);
    column->addStretch();
    column->addLayout(buttons);

    setTabOrder(BtnOK_, BtnCan_);
    setTabOrder(BtnCan_, ExCk_.front());
    for (std::size_t i = 1; i < ExCk_.size(); ++i) {
        setTabOrder(ExCk_[i - 1], ExCk_[i]);
    }
    BtnOK_->setFocus();

    FixDialogSize(
        *this, TwipsToPixels(field_text::kExclusionWidthTwips, field_text::kExclusionHeightTwips));
    CenterForm(*this);
}

std::string QtExclusionDialog::flags() const {
    ExclusionTicks ticks{};
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        ticks[i] = ExCk_[i]->checkState() != Qt::Unchecked;
    }
    return ExclusionFlagsFrom(ticks);
}

std::optional<std::string> QtExclusionDialog::Ask(const std::string& flags, QWidget* parent) {
    QtExclusionDialog dialog(flags, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.flags();
}

} // namespace quillet
