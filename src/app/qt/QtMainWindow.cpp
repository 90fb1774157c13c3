#include "app/qt/QtMainWindow.h"

#include "app/MainWindowText.h"
#include "app/qt/ElidedLabel.h"
#include "base/Operator.h"
#include "base/qt/SingleByteText.h"
#include "fields/ExclusionFlags.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quillet {

namespace {

constexpr int kMargin = 8;
constexpr int kRowHeight = 22;
constexpr int kStatusBarHeight = 24;
constexpr int kOptionRows = 4;
constexpr int kEditorRow = 0;
constexpr int kAutoStartRow = 3;

const QColor kDarkBlue = QColor::fromRgb(main_window::kIndicatorBackground);
const QColor kYellow = QColor::fromRgb(main_window::kIndicatorText);
const QColor kBlue = QColor::fromRgb(main_window::kReceiveText);
const QColor kLightGrey = QColor::fromRgb(main_window::kReceiveBackground);
const QColor kRed = QColor::fromRgb(main_window::kPortCaptionText);

void Paint(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void PaintText(QWidget* widget, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

template <typename W> W* Place(QWidget* parent, const char* name, const QString& caption) {
    auto* widget = new W(caption, parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void KeepPlaceWhenHidden(QWidget& widget) {
    QSizePolicy policy = widget.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget.setSizePolicy(policy);
}

QLabel* Indicator(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    Paint(label, kYellow, kDarkBlue);
    label->hide();
    return label;
}

} // namespace

QtMainWindow::QtMainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kProgramName));
    pollTimer_.setObjectName(QStringLiteral("Timer1"));
    pollTimer_.setInterval(1000);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    BuildControls(client);
    BuildMenus();
    ConnectControls();
    FixSize(client);
}

QtMainWindow::~QtMainWindow() {
    Detach();
}

void QtMainWindow::BuildControls(QWidget* client) {
    auto* body = new QVBoxLayout;
    body->setContentsMargins(kMargin, kMargin, kMargin, 0);
    body->setSpacing(0);
    body->addLayout(BuildEntryRow(client));
    body->addSpacing(9);
    body->addLayout(BuildOptionRows(client));
    body->addSpacing(4);
    body->addLayout(BuildIndicatorRows(client));
    body->addStretch(1);

    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(body, 1);
    column->addWidget(BuildStatusBar(client));
}

QLayout* QtMainWindow::BuildEntryRow(QWidget* client) {
    const int buttonWidth = 65;
    edit_ = Place<QPushButton>(client, "cmdEdit", QString::fromLatin1(main_window::kEdit));
    endEdit_ = Place<QPushButton>(client, "cmdEndEdit", QString::fromLatin1(main_window::kOk));
    endEdit_->setEnabled(false);
    endEdit_->setDefault(true);
    entry_ = new QLineEdit(client);
    entry_->setObjectName(QStringLiteral("txtEtichetta"));
    entry_->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->setSpacing(kMargin);
    for (QPushButton* button : {edit_, endEdit_}) {
        button->setMinimumSize(std::max(buttonWidth, button->sizeHint().width()),
                               std::max(25, button->sizeHint().height()));
    }
    row->addWidget(edit_);
    row->addWidget(entry_, 1);
    row->addWidget(endEdit_);
    return row;
}

// Four rows of options: ShowEd's (where AutoStart goes once ShowEd is hidden, with ExLab
// beside it), Overwrite, AClear and AutoStart's designed place. Every row keeps its
// height when empty, so nothing below moves when AutoStart does.
QLayout* QtMainWindow::BuildOptionRows(QWidget* client) {
    showEd_ = Place<QCheckBox>(client, "ShowEd", QString::fromLatin1(main_window::kShowEditor));
    overwrite_ =
        Place<QCheckBox>(client, "Overwrite", QString::fromLatin1(main_window::kOverwrite));
    aClear_ = Place<QCheckBox>(client, "AClear", QString::fromLatin1(main_window::kAutoClear));
    autoStart_ =
        Place<QCheckBox>(client, "AutoStart", QString::fromLatin1(main_window::kAutoStart));
    autoStart_->setChecked(true);
    exLab_ = Place<QLabel>(client, "ExLab", QString());
    exLab_->setTextFormat(Qt::PlainText);
    // Room for the longest notice from the start, so showing it never widens the window.
    exLab_->setMinimumWidth(exLab_->fontMetrics().horizontalAdvance(QString::fromLatin1(
                                ExclusionNoticeText(std::string(8, '1')).c_str())) +
                            kMargin);
    KeepPlaceWhenHidden(*showEd_);
    KeepPlaceWhenHidden(*exLab_);
    exLab_->hide();

    options_ = new QGridLayout;
    options_->setContentsMargins(0, 0, 0, 0);
    options_->setHorizontalSpacing(kMargin);
    options_->setVerticalSpacing(0);
    options_->setColumnMinimumWidth(0, 160);
    options_->setColumnStretch(1, 1);
    const int rowHeight = std::max(kRowHeight, autoStart_->sizeHint().height());
    for (int row = 0; row < kOptionRows; ++row) {
        options_->setRowMinimumHeight(row, rowHeight);
    }
    // A check box would give up width before any other control: its caption comes first.
    for (QCheckBox* box : {showEd_, overwrite_, aClear_, autoStart_}) {
        box->setMinimumWidth(box->sizeHint().width());
        box->setFixedHeight(rowHeight);
    }
    exLab_->setFixedHeight(rowHeight);
    options_->addWidget(showEd_, kEditorRow, 0);
    options_->addWidget(exLab_, kEditorRow, 1);
    options_->addWidget(overwrite_, kEditorRow + 1, 0, 1, 2);
    options_->addWidget(aClear_, kEditorRow + 2, 0, 1, 2);
    options_->addWidget(autoStart_, kAutoStartRow, 0);
    autoStartRow_ = kAutoStartRow;
    return options_;
}

// DSpin and the five row indicators of equal width, LabelAFS under the indicators.
QLayout* QtMainWindow::BuildIndicatorRows(QWidget* client) {
    dSpin_ = Place<QLabel>(client, "DSpin", QString::fromLatin1(main_window::kReceiveIndicator));
    dSpin_->setAlignment(Qt::AlignCenter);
    dSpin_->setFont(QFont(QString::fromLatin1(main_window::kReceiveIndicatorFont)));
    Paint(dSpin_, kBlue, kLightGrey);
    dSpin_->hide();
    dSpin_->setFixedWidth(std::max(25, dSpin_->sizeHint().width()));
    labelAfs_ = Indicator(client, QStringLiteral("LabelAFS"),
                          QString::fromLatin1(main_window::kAutoFieldSelection));

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    grid->setColumnMinimumWidth(0, dSpin_->width() + kMargin - 4);
    grid->addWidget(dSpin_, 0, 0, Qt::AlignLeft);
    int widest = 0;
    for (int i = 0; i < WindowState::kRowIndicators; ++i) {
        QLabel* label =
            Indicator(client, QStringLiteral("LabID%1").arg(i),
                      QString::fromLatin1(WindowState::kRowCaptions[static_cast<std::size_t>(i)]));
        labId_[static_cast<std::size_t>(i)] = label;
        widest = std::max(widest, label->sizeHint().width());
        grid->addWidget(label, 0, i + 1);
        grid->setColumnStretch(i + 1, 1);
    }
    labelAfs_->setMinimumWidth(labelAfs_->sizeHint().width());
    grid->addWidget(labelAfs_, 1, 1, 1, WindowState::kRowIndicators);
    // Equal widths that fit the widest caption; every indicator keeps its place hidden.
    const int rowHeight = std::max(kRowHeight, dSpin_->sizeHint().height());
    for (QLabel* label : labId_) {
        label->setMinimumWidth(widest);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        label->setFixedHeight(rowHeight);
        KeepPlaceWhenHidden(*label);
    }
    for (QLabel* label : {dSpin_, labelAfs_}) {
        label->setFixedHeight(rowHeight);
        KeepPlaceWhenHidden(*label);
    }
    return grid;
}

QWidget* QtMainWindow::BuildStatusBar(QWidget* client) {
    statusBar_ = new QFrame(client);
    statusBar_->setObjectName(QStringLiteral("picStatusBar"));
    statusBar_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    curSettings_ = Place<QLabel>(statusBar_, "lblCurSettings", QString());
    PaintText(curSettings_, kRed);
    // Wide enough for any port with the fastest rate, whatever the font.
    curSettings_->setMinimumWidth(
        std::max(130, curSettings_->fontMetrics().horizontalAdvance(
                          QString::fromLatin1(main_window::kWidestPortCaption)) +
                          kMargin));
    status_ = new ElidedLabel(QString::fromLatin1(WindowState::kReady), statusBar_);
    status_->setObjectName(QStringLiteral("lblStatusBar"));
    auto* row = new QHBoxLayout(statusBar_);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(4);
    row->addWidget(curSettings_);
    row->addWidget(status_, 1);
    statusBar_->setFixedHeight(std::max(kStatusBarHeight, status_->sizeHint().height() + 4));
    return statusBar_;
}

// Fixed at the designed client size, or at what this system's font needs where that is
// more: the window is neither resized nor maximized, so nothing in it can float.
void QtMainWindow::FixSize(QWidget* client) {
    QLayout* layout = client->layout();
    layout->activate();
    client->setFixedSize(QSize(kClientWidth, kClientHeight).expandedTo(layout->minimumSize()));
    // Laid out at the final size now, not only once shown.
    layout->invalidate();
    layout->activate();
    statusBar_->layout()->activate();
    this->layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

void QtMainWindow::BuildMenus() {
    for (const MenuDescription& description : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(description.caption));
        menu->setObjectName(QString::fromLatin1(description.name));
        for (const MenuEntry& entry : description.entries) {
            QAction* action = menu->addAction(QString::fromLatin1(entry.caption));
            action->setObjectName(QString::fromLatin1(entry.name));
            const Command command = entry.command;
            connect(action, &QAction::triggered, this,
                    [this, command] { emit commandRequested(command); });
        }
    }
}

void QtMainWindow::ConnectControls() {
    connect(aClear_, &QCheckBox::clicked, this, &QtMainWindow::autoClearClicked);
    connect(overwrite_, &QCheckBox::clicked, this, &QtMainWindow::overwriteClicked);
    connect(autoStart_, &QCheckBox::clicked, this, &QtMainWindow::autoStartClicked);
    connect(edit_, &QPushButton::clicked, this, &QtMainWindow::editClicked);
    connect(endEdit_, &QPushButton::clicked, this, [this] { emit okClicked(entry_->text()); });
}

void QtMainWindow::Attach(WindowState& state) {
    Detach();
    state_ = &state;
    state_->SetObserver(this);
    Refresh();
}

void QtMainWindow::Detach() {
    if (state_ != nullptr) {
        state_->SetObserver(nullptr);
        state_ = nullptr;
    }
}

void QtMainWindow::StatusChanged(const std::string& text) {
    status_->SetText(ToQString(text));
}

void QtMainWindow::Changed() {
    Refresh();
}

void QtMainWindow::Refresh() {
    if (state_ == nullptr) {
        return;
    }
    const WindowState& s = *state_;
    status_->SetText(ToQString(s.Status()));
    for (int i = 0; i < WindowState::kRowIndicators; ++i) {
        labId_[static_cast<std::size_t>(i)]->setVisible(s.RowIndicatorVisible(i));
    }
    labelAfs_->setVisible(s.AutoFieldSelectionVisible());
    dSpin_->setText(ToQString(s.ReceiveIndicatorCaption()));
    dSpin_->setVisible(s.ReceiveIndicatorVisible());
    aClear_->setChecked(s.autoClear());
    overwrite_->setChecked(s.overwrite());
    autoStart_->setChecked(s.autoStart());
    showEd_->setChecked(s.showEditor());
    showEd_->setVisible(!s.EditorOptionHidden());
    PlaceAutoStart(s.EditorOptionHidden() ? kEditorRow : kAutoStartRow);
    exLab_->setText(ToQString(s.ExclusionNotice()));
    exLab_->setVisible(s.ExclusionNoticeVisible());
    curSettings_->setText(ToQString(s.PortSettingsCaption()));
}

void QtMainWindow::PlaceAutoStart(int row) {
    if (row == autoStartRow_) {
        return;
    }
    options_->removeWidget(autoStart_);
    options_->addWidget(autoStart_, row, 0);
    autoStartRow_ = row;
    options_->activate();
}

void QtMainWindow::ShowManualEntry(const ManualEntryView& view) {
    entry_->setText(ToQString(view.boxText));
    entry_->setEnabled(view.boxEnabled);
    edit_->setEnabled(view.editEnabled);
    endEdit_->setEnabled(view.okEnabled);
    switch (view.focus) {
    case ManualEntryView::Focus::Box:
        entry_->setFocus();
        break;
    case ManualEntryView::Focus::Edit:
        edit_->setFocus();
        break;
    case ManualEntryView::Focus::None:
        break;
    }
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    emit closeRequested();
    event->accept();
}

// Enter presses the default button, as it would in a dialog.
void QtMainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && endEdit_->isEnabled()) {
        endEdit_->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace quillet
