#include "fields/qt/QtMachineFieldDialog.h"

#include "base/IniProfile.h"
#include "base/qt/SingleByteText.h"
#include "config/qt/CenterForm.h"
#include "config/qt/DialogSize.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldForm.h"
#include "fields/MachineFieldStore.h"
#include "fields/qt/LimitsPlan.h"
#include "fields/qt/PlanPanel.h"
#include "fields/qt/PreviewStrip.h"
#include "fields/qt/TypingLimit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillet {

namespace {

using field_form::kFieldGrey;
using field_form::TypingLimitOf;

constexpr int kLimitBoxWidth = 64;
constexpr int kPairSpacing = 4;

std::size_t Index(FieldSlot slot) {
    return static_cast<std::size_t>(slot);
}

void PaintGrey(QWidget& widget, QPalette::ColorRole role) {
    QPalette palette = widget.palette();
    palette.setColor(role, QColor(kFieldGrey.red, kFieldGrey.green, kFieldGrey.blue));
    widget.setPalette(palette);
    widget.setAutoFillBackground(role == QPalette::Window);
}

// Sets the box's text only when it differs, so that typing keeps its cursor.
void ShowValue(QLineEdit& box, const std::string& text) {
    if (FromQString(box.text()) != text) {
        ShowText(box, ToQString(text));
    }
}

Qt::CheckState CheckStateOf(std::int16_t flag) {
    switch (flag) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

void ShowFlag(QCheckBox& box, std::int16_t flag) {
    box.setTristate(flag == 2);
    box.setCheckState(CheckStateOf(flag));
}

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    if (name != nullptr) {
        frame->setObjectName(QString::fromLatin1(name));
    }
    return frame;
}

} // namespace

QtMachineFieldDialog::QtMachineFieldDialog(AutoSelEditor& editor, IniProfile& ini,
                                           const LastProgram& last, QWidget* parent)
    : QDialog(parent), editor_(editor), model_(editor.Model()), ini_(ini), last_(last) {
    setObjectName(QStringLiteral("MacFlds"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab"));
    tabs_->setMinimumSize(
        TwipsToPixels(field_text::kFieldTabsWidthTwips, field_text::kFieldTabsHeightTwips));
    // Every tab caption whole, whatever the font: the dialog grows rather than scroll them.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideNone);
    for (int tab = 0; tab < field_form::kTabCount; ++tab) {
        tabs_->addTab(BuildTab(tab), Latin1(field_form::TabAt(tab).caption));
    }
    connect(tabs_, &QTabWidget::currentChanged, this, &QtMachineFieldDialog::TabChanged);
    BuildButtons();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(setAllButton_);
    buttons->addWidget(clearAllButton_);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->addWidget(tabs_, 1);
    column->addLayout(buttons);
    SetFocusOrder();
    TabChanged(tabs_->currentIndex());

    // The model was loaded from ZOR.INI at start-up; the dialog only shows and edits it.
    editor_.SetObserver([this] { Refresh(); });
    Refresh();

    FixDialogSize(*this, TwipsToPixels(field_text::kMachineFieldWidthTwips,
                                       field_text::kMachineFieldHeightTwips));
    CenterForm(*this);
}

QtMachineFieldDialog::~QtMachineFieldDialog() {
    editor_.SetObserver(nullptr);
}

QRadioButton* QtMachineFieldDialog::AddChoice(QWidget* parent, const char* name,
                                              const QString& caption) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(QString::fromLatin1(name));
    return option;
}

QWidget* QtMachineFieldDialog::BuildAutoSelectTab() {
    auto* page = new QWidget;
    triggerInName_ = AddChoice(page, "MPName", Latin1(field_text::kTargetProgramName));
    triggerInComment_ = AddChoice(page, "MCmt", Latin1(field_text::kTargetComment));
    triggerInBarcode_ = AddChoice(page, "MBC", Latin1(field_text::kTargetBarcode));
    WireTarget(triggerInName_, AutoSelTarget::ProgramName);
    WireTarget(triggerInComment_, AutoSelTarget::Comment);
    WireTarget(triggerInBarcode_, AutoSelTarget::Barcode);
    auto* targets = new QHBoxLayout;
    targets->addWidget(triggerInName_);
    targets->addWidget(triggerInComment_);
    targets->addWidget(triggerInBarcode_);
    targets->addStretch();

    QGroupBox* mirror = MakeFrame(page, nullptr, Latin1(field_text::kMirrorFrame));
    QGroupBox* produce = MakeFrame(mirror, nullptr, Latin1(field_text::kProduceFrame));
    produceMirror_ = AddChoice(produce, "MSel", Latin1(field_text::kProduceMirror));
    produceBoth_ = AddChoice(produce, "NMSel", Latin1(field_text::kProduceBoth));
    WireVariant(produceMirror_, true);
    WireVariant(produceBoth_, false);
    auto* variants = new QVBoxLayout(produce);
    variants->addWidget(produceMirror_);
    variants->addWidget(produceBoth_);
    variants->addStretch();

    triggerFrame_ = MakeFrame(mirror, "FrameTSet", Latin1(field_text::kTriggerFrame));
    alignLeft_ = AddChoice(triggerFrame_, "OptAlnL", QString());
    alignRight_ = AddChoice(triggerFrame_, "OptAlnR", QString());
    alignLeft_->setToolTip(Latin1(field_text::kAlignLeftTip));
    alignRight_->setToolTip(Latin1(field_text::kAlignRightTip));
    connect(alignLeft_, &QRadioButton::clicked, this, [this] {
        if (!refreshing_) {
            editor_.AlignmentClicked(true);
        }
    });
    connect(alignRight_, &QRadioButton::clicked, this, [this] {
        if (!refreshing_) {
            editor_.AlignmentClicked(false);
        }
    });
    auto* strip = new PreviewStrip(triggerFrame_);
    preview_ = &strip->Preview();
    preview_->setObjectName(QStringLiteral("LabDispStr"));
    preview_->installEventFilter(this);
    positionBar_ = &strip->Bar();
    positionBar_->setObjectName(QStringLiteral("PosScroll"));
    connect(positionBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!refreshing_) {
            editor_.PosScrollChanged(value);
        }
    });
    triggerText_ = new QLineEdit(triggerFrame_);
    triggerText_->setObjectName(QStringLiteral("MSpec"));
    connect(triggerText_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!refreshing_) {
            editor_.MSpecChanged(FromQString(text));
        }
    });
    positionLeft_ = new QLabel(triggerFrame_);
    positionLeft_->setObjectName(QStringLiteral("PosDispLeft"));
    positionRight_ = new QLabel(triggerFrame_);
    positionRight_->setObjectName(QStringLiteral("PosDispRight"));
    positionRight_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* caption : {positionLeft_, positionRight_}) {
        caption->setTextFormat(Qt::PlainText);
        QSizePolicy policy = caption->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        caption->setSizePolicy(policy);
    }
    auto* trigger = new QGridLayout(triggerFrame_);
    trigger->setVerticalSpacing(4);
    trigger->addWidget(alignLeft_, 0, 0, Qt::AlignLeft);
    trigger->addWidget(alignRight_, 0, 2, Qt::AlignRight);
    trigger->addWidget(strip, 1, 0, 1, 3);
    trigger->addWidget(positionLeft_, 2, 0, Qt::AlignLeft);
    trigger->addWidget(triggerText_, 2, 1);
    trigger->addWidget(positionRight_, 2, 2, Qt::AlignRight);
    trigger->setColumnStretch(0, 1);
    trigger->setColumnStretch(2, 1);

    auto* mirrorRow = new QHBoxLayout(mirror);
    mirrorRow->addWidget(produce);
    mirrorRow->addWidget(triggerFrame_, 1);

    auto* panel = new QFrame(page);
    panel->setFrameShape(QFrame::StyledPanel);
    QGroupBox* defaultField = MakeFrame(panel, nullptr, Latin1(field_text::kDefaultFieldFrame));
    auto* defaultRow = new QHBoxLayout(defaultField);
    defaultRow->addWidget(AddFieldBox(FieldSlot::DFN, defaultField));
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->addWidget(defaultField);
    panelRow->addStretch();

    auto* column = new QVBoxLayout(page);
    column->addLayout(targets);
    column->addWidget(mirror);
    column->addWidget(panel);
    column->addStretch();
    return page;
}

QLineEdit* QtMachineFieldDialog::AddFieldBox(FieldSlot slot, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(ToQString(std::string(SlotName(slot))));
    LimitTyping(*box, TypingLimitOf(slot));
    PaintGrey(*box, QPalette::Base);
    connect(box, &QLineEdit::textEdited, this,
            [this, slot](const QString& text) { model_.Code(slot) = FromQString(text); });
    codeBoxes_[Index(slot)] = box;
    return box;
}

QCheckBox* QtMachineFieldDialog::AddCheckBox(FieldSlot slot, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(ToQString(std::string(SlotName(slot)) + "cb"));
    // Room around the box so that its grey background shows. A check box fills with the
    // button colour unless told to use the window's.
    box->setFixedSize(box->sizeHint() + QSize(6, 6));
    box->setBackgroundRole(QPalette::Window);
    PaintGrey(*box, QPalette::Window);
    // The box has toggled already; the model's rule decides what it shows.
    connect(box, &QCheckBox::clicked, this, [this, slot, box] {
        model_.Flag(slot) = field_form::FlagAfterClick(model_.Flag(slot));
        ShowFlag(*box, model_.Flag(slot));
    });
    checkBoxes_[Index(slot)] = box;
    return box;
}

QWidget* QtMachineFieldDialog::BuildTab(int tab) {
    switch (tab) {
    case field_form::kAutoFieldSelect:
        return BuildAutoSelectTab();
    case field_form::kFieldLimits:
        return BuildLimitsTab();
    default:
        return BuildFieldTab(tab);
    }
}

// The tab's plan panels, one above the other, centred on the page.
QWidget* QtMachineFieldDialog::BuildFieldTab(int tab) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addStretch();
    for (const field_form::Plan& plan : field_form::TabAt(tab).plans) {
        if (column->count() > 1) {
            column->addSpacing(12);
        }
        auto* panel = new PlanPanel(plan.rows, plan.columns, page);
        for (const field_form::PlanCell& cell : plan.cells) {
            panel->SetCell(cell.row, cell.column, AddPair(cell.left, cell.right, panel));
        }
        column->addWidget(panel);
    }
    column->addStretch();
    return page;
}

// A normal field and its mirrored counterpart in one cell: box, check, gap, check, box.
QHBoxLayout* QtMachineFieldDialog::AddPair(FieldSlot left, FieldSlot right, QWidget* parent) {
    auto* row = new QHBoxLayout;
    // The plan's grid has no spacing; a check box keeps apart from its text box.
    row->setSpacing(kPairSpacing);
    row->addWidget(AddFieldBox(left, parent));
    if (SlotHasEnableFlag(left)) {
        row->addWidget(AddCheckBox(left, parent));
    }
    row->addStretch();
    if (SlotHasEnableFlag(right)) {
        row->addWidget(AddCheckBox(right, parent));
    }
    row->addWidget(AddFieldBox(right, parent));
    return row;
}

QLineEdit* QtMachineFieldDialog::AddLimitBox(const char* name,
                                             std::string MachineFieldModel::*text) {
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(kLimitBoxWidth);
    PaintGrey(*box, QPalette::Base);
    connect(box, &QLineEdit::textEdited, this,
            [this, text](const QString& typed) { model_.*text = FromQString(typed); });
    return box;
}

QWidget* QtMachineFieldDialog::BuildLimitsTab() {
    auto* page = new QWidget;
    halfLimitX_ = AddLimitBox("HlfLimX", &MachineFieldModel::HlfLimX);
    halfLimitY_ = AddLimitBox("HlfLimY", &MachineFieldModel::HlfLimY);
    const field_form::Plan& grid = field_form::TabAt(field_form::kFieldLimits).plans.front();
    auto* plan = new LimitsPlan(*halfLimitX_, *halfLimitY_, grid.rows, grid.columns, page);
    auto* column = new QVBoxLayout(page);
    column->addStretch();
    column->addWidget(plan, 0, Qt::AlignHCenter);
    column->addStretch();
    return page;
}

void QtMachineFieldDialog::BuildButtons() {
    struct Spec {
        QPushButton** button;
        const char* name;
        const char* caption;
        const char* tip;
    };
    // Created in focus order; laid out with OK before Cancel.
    const Spec specs[] = {
        {&setAllButton_, "BtnSA", field_text::kSetAll, field_text::kSetAllTip},
        {&clearAllButton_, "BtnCA", field_text::kClearAll, field_text::kClearAllTip},
        {&cancelButton_, "BtnCan", field_text::kCancel, field_text::kFieldsCancelTip},
        {&okButton_, "BtnOK", field_text::kOk, field_text::kFieldsOkTip},
    };
    for (const Spec& spec : specs) {
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setToolTip(QString::fromLatin1(spec.tip));
        // No button answers Enter: a return typed in a field box must not close the dialog.
        button->setAutoDefault(false);
        *spec.button = button;
    }
    for (QPushButton* tabButton : {setAllButton_, clearAllButton_}) {
        QSizePolicy policy = tabButton->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        tabButton->setSizePolicy(policy);
    }
    connect(setAllButton_, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(clearAllButton_, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(okButton_, &QPushButton::clicked, this, &QtMachineFieldDialog::Store);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void QtMachineFieldDialog::SetFocusOrder() {
    setTabOrder(setAllButton_, clearAllButton_);
    setTabOrder(clearAllButton_, cancelButton_);
    setTabOrder(cancelButton_, okButton_);
}

void QtMachineFieldDialog::WireTarget(QRadioButton* option, AutoSelTarget target) {
    WireChoice(
        option, [this, target] { editor_.TargetClicked(target); },
        [this, target] { editor_.TargetChanged(target); });
}

void QtMachineFieldDialog::WireVariant(QRadioButton* option, bool mirror) {
    WireChoice(
        option, [this, mirror] { editor_.VariantClicked(mirror); },
        [this, mirror] { editor_.VariantChanged(mirror); });
}

// A click that follows a mouse press on the option saved the slot being left on press
// already; a click by keyboard or program did not.
void QtMachineFieldDialog::WireChoice(QRadioButton* option, std::function<void()> pressedClick,
                                      std::function<void()> otherClick) {
    option->installEventFilter(this);
    connect(
        option, &QRadioButton::clicked, this,
        [this, option, pressedClick = std::move(pressedClick), otherClick = std::move(otherClick)] {
            if (refreshing_) {
                return;
            }
            const bool pressed = pressedChoice_ == option;
            pressedChoice_ = nullptr;
            (pressed ? pressedClick : otherClick)();
        });
}

bool QtMachineFieldDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == preview_ && type == QEvent::MouseButtonDblClick) {
        editor_.PreviewDoubleClicked(last_.ProgramName, last_.Comment);
        return true;
    }
    auto* option = qobject_cast<QAbstractButton*>(watched);
    if (option == nullptr) {
        return QDialog::eventFilter(watched, event);
    }
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (!press && type != QEvent::MouseButtonRelease) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (press && mouse->button() == Qt::LeftButton) {
        // Save the slot being left before the choice changes.
        pressedChoice_ = option;
        editor_.ChoicePressed();
    } else if (!press && !option->rect().contains(mouse->position().toPoint())) {
        pressedChoice_ = nullptr; // released elsewhere: no click follows
    }
    return QDialog::eventFilter(watched, event);
}

void QtMachineFieldDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    tabs_->setFocus(Qt::TabFocusReason);
}

void QtMachineFieldDialog::Refresh() {
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    RefreshFields();
    RefreshAutoSelect();
    refreshing_ = wasRefreshing;
}

void QtMachineFieldDialog::RefreshFields() {
    for (std::size_t i = 0; i < codeBoxes_.size(); ++i) {
        ShowValue(*codeBoxes_[i], model_.codes[i]);
        if (QCheckBox* box = checkBoxes_[i]) {
            ShowFlag(*box, model_.flags[i]);
        }
    }
    ShowValue(*halfLimitX_, model_.HlfLimX);
    ShowValue(*halfLimitY_, model_.HlfLimY);
}

void QtMachineFieldDialog::RefreshAutoSelect() {
    QRadioButton* target = model_.MPName() ? triggerInName_
                           : model_.MCmt() ? triggerInComment_
                                           : triggerInBarcode_;
    target->setChecked(true);
    (model_.MSel() ? produceMirror_ : produceBoth_)->setChecked(true);
    (model_.OptAlnL ? alignLeft_ : alignRight_)->setChecked(true);
    triggerFrame_->setEnabled(model_.triggerGroupEnabled);
    positionBar_->setRange(model_.PosScrollMin, model_.PosScrollMax);
    positionBar_->setValue(model_.PosScrollValue);
    ShowValue(*triggerText_, model_.MSpec);
    preview_->setText(ToQString(model_.LabDispStr));
    positionLeft_->setText(ToQString(model_.PosDispLeft));
    positionRight_->setText(ToQString(model_.PosDispRight));
    positionLeft_->setVisible(model_.PosDispLeftVisible);
    positionRight_->setVisible(model_.PosDispRightVisible);
}

void QtMachineFieldDialog::SetAll(bool on) {
    field_form::SetAll(model_, tabs_->currentIndex(), on);
    Refresh();
}

void QtMachineFieldDialog::TabChanged(int tab) {
    const bool setAll = field_form::SetAllVisible(tab);
    setAllButton_->setVisible(setAll);
    clearAllButton_->setVisible(setAll);
}

void QtMachineFieldDialog::Store() {
    StoreMachineFields(ini_, editor_);
    accept();
}

} // namespace quillet
