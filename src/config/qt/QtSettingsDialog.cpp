#include "config/qt/QtSettingsDialog.h"

#include "config/Settings.h"
#include "config/qt/CenterForm.h"
#include "config/qt/DialogSize.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <vector>

namespace quillet {
namespace {

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(frame);
    column->setSpacing(2);
    return frame;
}

// Picking an option, by click, keyboard or the load step, sets the matching value.
template <typename Set> void OnSelected(QRadioButton& option, Set set) {
    QObject::connect(&option, &QRadioButton::toggled, &option, [set](bool checked) {
        if (checked) {
            set();
        }
    });
}

// The selected option among `option` and its siblings in the frame, if any.
QRadioButton* SelectedBeside(const QRadioButton& option) {
    for (QRadioButton* sibling :
         option.parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (sibling->isChecked()) {
            return sibling;
        }
    }
    return nullptr;
}

} // namespace

QtSettingsDialog::QtSettingsDialog(const Settings& settings, std::vector<SerialPortInfo> ports,
                                   QWidget* parent)
    : QDialog(parent), form_(LoadSerialSettingsForm(settings, std::move(ports))) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    std::vector<QGroupBox*> frames;
    for (const SerialOptionGroup& group : SerialOptionGroups()) {
        frames.push_back(BuildFrame(group));
    }
    enum { kPort, kBaud, kParity, kDataBits, kStopBits };
    frames[kBaud]->layout()->addItem(
        new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    auto* grid = new QGridLayout(this);
    grid->addWidget(frames[kPort], 0, 0);
    grid->addWidget(frames[kBaud], 0, 1, 2, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(frames[kParity]);
    auto* bits = new QHBoxLayout;
    bits->addWidget(frames[kDataBits]);
    bits->addWidget(frames[kStopBits]);
    right->addLayout(bits);
    right->addStretch();
    grid->addLayout(right, 0, 2, 2, 1);
    BuildButtons();
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    grid->addLayout(buttons, 1, 0);
    BuildOtherPortList();
    grid->addWidget(cboOtherPort_, 2, 0, 1, 3);
    grid->addWidget(lblPortNote_, 3, 0, 1, 3);
    SetTabOrder();
    PortChanged();

    FixDialogSize(*this, TwipsToPixels(dialog_text::kSettingsWidthTwips,
                                       dialog_text::kSettingsHeightTwips +
                                           dialog_text::kSettingsOtherRowsTwips));
    CenterForm(*this);
}

std::optional<SerialSettingsChoice> QtSettingsDialog::Ask(const Settings& settings,
                                                          const std::vector<SerialPortInfo>& ports,
                                                          QWidget* parent) {
    QtSettingsDialog dialog(settings, ports, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

// One frame per option group of the form, each option bound to the form's value.
QGroupBox* QtSettingsDialog::BuildFrame(const SerialOptionGroup& group) {
    QGroupBox* frame = MakeFrame(this, group.frameName, QString::fromLatin1(group.caption));
    for (std::size_t i = 0; i < group.options; ++i) {
        auto* option = new QRadioButton(QString::fromStdString(group.optionCaption(i)), frame);
        option->setObjectName(QString::fromStdString(group.optionName(i)));
        option->setChecked(group.selected(form_, i));
        frame->layout()->addWidget(option);
        OnSelected(*option, [this, &group, i] {
            group.select(form_, i);
            PortChanged();
        });
    }
    return frame;
}

// The "Other:" list under the frames; picking a line chooses its port.
void QtSettingsDialog::BuildOtherPortList() {
    cboOtherPort_ = new QComboBox(this);
    cboOtherPort_->setObjectName(QStringLiteral("cboOtherPort"));
    cboOtherPort_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const OtherPortEntry& entry : OtherPortEntries(form_)) {
        cboOtherPort_->addItem(QString::fromStdString(entry.text));
    }
    cboOtherPort_->setCurrentIndex(OtherPortIndex(form_));
    cboOtherPort_->setEnabled(cboOtherPort_->count() > 0);
    auto* other = findChild<QRadioButton*>(QStringLiteral("optComOther"));
    other->setEnabled(cboOtherPort_->count() > 0);
    connect(cboOtherPort_, &QComboBox::activated, this, [this](int index) {
        PickOtherPort(form_, static_cast<std::size_t>(index));
        PortChanged();
    });
    lblPortNote_ = new QLabel(this);
    lblPortNote_->setObjectName(QStringLiteral("lblPortNote"));
}

// The port's options follow the form (a line of the list may be COM1 to COM4), and the
// note says how the chosen port is found again.
void QtSettingsDialog::PortChanged() {
    if (lblPortNote_ == nullptr) {
        return;
    }
    const SerialOptionGroup& ports = SerialOptionGroups()[0];
    for (std::size_t i = 0; i < ports.options; ++i) {
        auto* option = findChild<QRadioButton*>(QString::fromStdString(ports.optionName(i)));
        if (ports.selected(form_, i) && !option->isChecked()) {
            option->setChecked(true);
        }
    }
    lblPortNote_->setText(QString::fromStdString(PortIdentityNote(form_)));
}

void QtSettingsDialog::BuildButtons() {
    cmdOK_ = new QPushButton(QString::fromLatin1(dialog_text::kSettingsOk), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    cmdCancel_ = new QPushButton(QString::fromLatin1(dialog_text::kSettingsCancel), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

// Tab takes one stop per frame; it enters a frame at its selected option, as native
// option groups do, so that a Space there changes nothing.
bool QtSettingsDialog::focusNextPrevChild(bool next) {
    if (!QDialog::focusNextPrevChild(next)) {
        return false;
    }
    const auto* option = qobject_cast<const QRadioButton*>(focusWidget());
    if (option == nullptr) {
        return true;
    }
    if (QRadioButton* selected = SelectedBeside(*option)) {
        selected->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    return true;
}

void QtSettingsDialog::SetTabOrder() {
    // Frames in reading order, then the buttons.
    QWidget* previous = nullptr;
    for (const SerialOptionGroup& group : SerialOptionGroups()) {
        const auto* frame = findChild<QGroupBox*>(QString::fromLatin1(group.frameName));
        for (QRadioButton* option : frame->findChildren<QRadioButton*>()) {
            if (previous != nullptr) {
                setTabOrder(previous, option);
            }
            previous = option;
        }
    }
    setTabOrder(previous, cmdOK_);
    setTabOrder(cmdOK_, cmdCancel_);
    setTabOrder(cmdCancel_, cboOtherPort_);
}

} // namespace quillet
