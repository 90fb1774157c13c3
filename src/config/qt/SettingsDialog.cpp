#include "config/qt/SettingsDialog.h"

#include "config/Settings.h"
#include "config/qt/CenterForm.h"
#include "config/qt/DialogSize.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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

SettingsDialog::SettingsDialog(const Settings& settings, QWidget* parent)
    : QDialog(parent),
      form_(LoadSerialSettingsForm(settings.CommPortNumber, settings.CommSettings)) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(BuildPortFrame(), 0, 0);
    grid->addWidget(BuildBaudFrame(), 0, 1, 2, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildParityFrame());
    auto* bits = new QHBoxLayout;
    bits->addWidget(BuildDataBitsFrame());
    bits->addWidget(BuildStopBitsFrame());
    right->addLayout(bits);
    right->addStretch();
    grid->addLayout(right, 0, 2, 2, 1);
    BuildButtons();
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    grid->addLayout(buttons, 1, 0);
    SetTabOrder();

    FixDialogSize(
        *this, TwipsToPixels(dialog_text::kSettingsWidthTwips, dialog_text::kSettingsHeightTwips));
    CenterForm(*this);
}

std::optional<SerialSettingsChoice> SettingsDialog::Ask(const Settings& settings, QWidget* parent) {
    SettingsDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

QRadioButton* SettingsDialog::AddOption(QGroupBox& frame, const char* name, const QString& caption,
                                        bool selected) {
    auto* option = new QRadioButton(caption, &frame);
    option->setObjectName(QString::fromLatin1(name));
    option->setChecked(selected);
    frame.layout()->addWidget(option);
    return option;
}

QGroupBox* SettingsDialog::BuildPortFrame() {
    static constexpr std::array<const char*, kPortOptions.size()> kNames = {"optCom1", "optCom2",
                                                                            "optCom3", "OptCom4"};
    QGroupBox* frame =
        MakeFrame(this, "fraComPort", QString::fromLatin1(dialog_text::kComPortFrame));
    for (std::size_t i = 0; i < kPortOptions.size(); ++i) {
        const std::int16_t port = kPortOptions[i];
        QRadioButton* option =
            AddOption(*frame, kNames[i],
                      QString::fromLatin1(dialog_text::kPortCaptionPrefix) + QString::number(port),
                      form_.SelPort == port);
        OnSelected(*option, [this, port] { form_.SelPort = port; });
    }
    return frame;
}

QGroupBox* SettingsDialog::BuildBaudFrame() {
    QGroupBox* frame =
        MakeFrame(this, "fraBaudRate", QString::fromLatin1(dialog_text::kBaudRateFrame));
    for (const std::int32_t baud : kBaudOptions) {
        const QByteArray name = "optBaud" + QByteArray::number(baud);
        QRadioButton* option =
            AddOption(*frame, name.constData(), QString::number(baud), form_.SelBaud == baud);
        OnSelected(*option, [this, baud] { form_.SelBaud = baud; });
    }
    frame->layout()->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    return frame;
}

QGroupBox* SettingsDialog::BuildParityFrame() {
    static constexpr std::array<const char*, kParityOptions.size()> kNames = {
        "optParityNone", "optParityOdd", "optParityEven"};
    QGroupBox* frame = MakeFrame(this, "fraParity", QString::fromLatin1(dialog_text::kParityFrame));
    for (std::size_t i = 0; i < kParityOptions.size(); ++i) {
        const std::string parity = kParityOptions[i];
        QRadioButton* option =
            AddOption(*frame, kNames[i], QString::fromLatin1(dialog_text::kParityCaptions[i]),
                      form_.SelParity == parity);
        OnSelected(*option, [this, parity] { form_.SelParity = parity; });
    }
    return frame;
}

QGroupBox* SettingsDialog::BuildDataBitsFrame() {
    QGroupBox* frame =
        MakeFrame(this, "fraDataBits", QString::fromLatin1(dialog_text::kDataBitsFrame));
    for (const std::int16_t bits : kDataBitsOptions) {
        const QByteArray name = "optDataBits" + QByteArray::number(bits);
        QRadioButton* option =
            AddOption(*frame, name.constData(), QString::number(bits), form_.SelDataBits == bits);
        OnSelected(*option, [this, bits] { form_.SelDataBits = bits; });
    }
    return frame;
}

QGroupBox* SettingsDialog::BuildStopBitsFrame() {
    QGroupBox* frame =
        MakeFrame(this, "fraStopBits", QString::fromLatin1(dialog_text::kStopBitsFrame));
    for (const std::int16_t bits : kStopBitsOptions) {
        const QByteArray name = "optStopBits" + QByteArray::number(bits);
        QRadioButton* option =
            AddOption(*frame, name.constData(), QString::number(bits), form_.SelStopBits == bits);
        OnSelected(*option, [this, bits] { form_.SelStopBits = bits; });
    }
    return frame;
}

void SettingsDialog::BuildButtons() {
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
bool SettingsDialog::focusNextPrevChild(bool next) {
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

void SettingsDialog::SetTabOrder() {
    // Frames in reading order, then the buttons.
    QWidget* previous = nullptr;
    for (const char* frame :
         {"fraComPort", "fraBaudRate", "fraParity", "fraDataBits", "fraStopBits"}) {
        for (QRadioButton* option :
             findChild<QGroupBox*>(QString::fromLatin1(frame))->findChildren<QRadioButton*>()) {
            if (previous != nullptr) {
                setTabOrder(previous, option);
            }
            previous = option;
        }
    }
    setTabOrder(previous, cmdOK_);
    setTabOrder(cmdOK_, cmdCancel_);
}

} // namespace quillet
