#include "app/qt/MainWindow.h"

#include "base/Operator.h"
#include "base/qt/SingleByteText.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>

namespace quillet {

namespace {

constexpr int kMargin = 8;
constexpr int kRowHeight = 22;
constexpr int kStatusBarHeight = 24;

const QColor kDarkBlue(0x00, 0x00, 0x80);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kLightGrey(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0x00, 0x00);

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

template <typename W>
W* Place(QWidget* parent, const char* name, const QString& caption, QRect where) {
    auto* widget = new W(caption, parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(where);
    return widget;
}

QLabel* Indicator(QWidget* parent, const QString& name, const QString& caption, QRect where) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(where);
    label->setAlignment(Qt::AlignCenter);
    Paint(label, kYellow, kDarkBlue);
    label->hide();
    return label;
}

QAction* AddCommand(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
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
    FitCaptions(client);
}

MainWindow::~MainWindow() {
    Detach();
}

void MainWindow::BuildControls(QWidget* client) {
    const int buttonWidth = 65;
    const int right = kClientWidth - kMargin;
    edit_ = Place<QPushButton>(client, "cmdEdit", QStringLiteral("Edit"),
                               {kMargin, kMargin, buttonWidth, 25});
    endEdit_ = Place<QPushButton>(client, "cmdEndEdit", QStringLiteral("OK"),
                                  {right - buttonWidth, kMargin, buttonWidth, 25});
    endEdit_->setEnabled(false);
    endEdit_->setDefault(true);
    entry_ = new QLineEdit(client);
    entry_->setObjectName(QStringLiteral("txtEtichetta"));
    const int entryLeft = kMargin + buttonWidth + kMargin;
    entry_->setGeometry(entryLeft, kMargin, right - buttonWidth - kMargin - entryLeft, 25);
    entry_->setEnabled(false);

    const int boxWidth = 380;
    showEdDesignY_ = 42;
    autoStartDesignY_ = showEdDesignY_ + 3 * kRowHeight;
    showEd_ = Place<QCheckBox>(client, "ShowEd", QStringLiteral("Show Program in Editor"),
                               {kMargin, showEdDesignY_, 160, kRowHeight});
    overwrite_ =
        Place<QCheckBox>(client, "Overwrite",
                         QStringLiteral("Overwrite Existing Programs With Program From 2D Barcode"),
                         {kMargin, showEdDesignY_ + kRowHeight, boxWidth, kRowHeight});
    aClear_ = Place<QCheckBox>(client, "AClear", QStringLiteral("Automatic Clear on Scan"),
                               {kMargin, showEdDesignY_ + 2 * kRowHeight, boxWidth, kRowHeight});
    autoStart_ = Place<QCheckBox>(client, "AutoStart", QStringLiteral("  Machine Auto Start"),
                                  {kMargin, autoStartDesignY_, 160, kRowHeight});
    autoStart_->setChecked(true);
    exLab_ =
        Place<QLabel>(client, "ExLab", QString(), {176, showEdDesignY_, right - 176, kRowHeight});
    exLab_->hide();

    const int rowY = autoStartDesignY_ + kRowHeight + 4;
    dSpin_ = Place<QLabel>(client, "DSpin", QStringLiteral("X"), {kMargin, rowY, 25, kRowHeight});
    dSpin_->setAlignment(Qt::AlignCenter);
    dSpin_->setFont(QFont(QStringLiteral("Arial")));
    Paint(dSpin_, kBlue, kLightGrey);
    dSpin_->hide();
    const int indicatorLeft = kMargin + 25 + kMargin;
    const int gap = 4;
    const int indicatorWidth = (right - indicatorLeft - (WindowState::kRowIndicators - 1) * gap) /
                               WindowState::kRowIndicators;
    for (int i = 0; i < WindowState::kRowIndicators; ++i) {
        const int x = indicatorLeft + i * (indicatorWidth + gap);
        labId_[static_cast<std::size_t>(i)] =
            Indicator(client, QStringLiteral("LabID%1").arg(i),
                      QString::fromLatin1(WindowState::kRowCaptions[static_cast<std::size_t>(i)]),
                      {x, rowY, indicatorWidth, kRowHeight});
    }
    labelAfs_ =
        Indicator(client, QStringLiteral("LabelAFS"), QStringLiteral("Automatic Field Selection"),
                  {indicatorLeft, rowY + kRowHeight + 4, right - indicatorLeft, kRowHeight});

    statusBar_ = new QFrame(client);
    statusBar_->setObjectName(QStringLiteral("picStatusBar"));
    statusBar_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar_->setGeometry(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
    const int inner = kStatusBarHeight - 4;
    curSettings_ = Place<QLabel>(statusBar_, "lblCurSettings", QString(), {4, 2, 130, inner});
    PaintText(curSettings_, kRed);
    status_ = Place<QLabel>(statusBar_, "lblStatusBar", QString::fromLatin1(WindowState::kReady),
                            {138, 2, kClientWidth - 142, inner});

    client->setFixedSize(kClientWidth, kClientHeight);
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connect(AddCommand(file, "mnuExit", "E&xit"), &QAction::triggered, this,
            &MainWindow::exitRequested);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    connect(AddCommand(options, "mnuSetttings", "&Settings"), &QAction::triggered, this,
            &MainWindow::settingsRequested);
    connect(AddCommand(options, "MnuAutoFld", "&Auto Field Select"), &QAction::triggered, this,
            &MainWindow::autoFieldSelectRequested);
    connect(AddCommand(options, "ExIns", "&Exclusion Insertion"), &QAction::triggered, this,
            &MainWindow::exclusionInsertionRequested);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(AddCommand(help, "mnuAbout", "&About Quillet ..."), &QAction::triggered, this,
            &MainWindow::aboutRequested);
}

void MainWindow::ConnectControls() {
    connect(aClear_, &QCheckBox::clicked, this, &MainWindow::autoClearClicked);
    connect(overwrite_, &QCheckBox::clicked, this, &MainWindow::overwriteClicked);
    connect(autoStart_, &QCheckBox::clicked, this, &MainWindow::autoStartClicked);
    connect(edit_, &QPushButton::clicked, this, &MainWindow::editClicked);
    connect(endEdit_, &QPushButton::clicked, this, [this] { emit okClicked(entry_->text()); });
}

// The design's sizes suit the original fonts; a caption that this system's font would
// clip widens its control, and the window with it.
void MainWindow::FitCaptions(QWidget* client) {
    int needed = kClientWidth;
    for (QWidget* w :
         std::initializer_list<QWidget*>{showEd_, overwrite_, aClear_, autoStart_, labelAfs_}) {
        const int hint = w->sizeHint().width();
        if (hint > w->width()) {
            w->resize(hint, w->height());
        }
        needed = std::max(needed, w->x() + w->width() + kMargin);
    }
    for (QLabel* label : labId_) {
        if (label->sizeHint().width() > label->width()) {
            label->resize(label->sizeHint().width(), label->height());
        }
        needed = std::max(needed, label->x() + label->width() + kMargin);
    }
    if (needed > kClientWidth) {
        statusBar_->resize(needed, statusBar_->height());
        status_->resize(needed - status_->x() - 4, status_->height());
        client->setFixedSize(needed, kClientHeight);
    }
}

void MainWindow::Attach(WindowState& state) {
    Detach();
    state_ = &state;
    state_->SetObserver(this);
    Refresh();
}

void MainWindow::Detach() {
    if (state_ != nullptr) {
        state_->SetObserver(nullptr);
        state_ = nullptr;
    }
}

void MainWindow::StatusChanged(const std::string& text) {
    status_->setText(ToQString(text));
}

void MainWindow::Changed() {
    Refresh();
}

void MainWindow::Refresh() {
    if (state_ == nullptr) {
        return;
    }
    const WindowState& s = *state_;
    status_->setText(ToQString(s.Status()));
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
    autoStart_->move(autoStart_->x(), s.EditorOptionHidden() ? showEdDesignY_ : autoStartDesignY_);
    exLab_->setText(ToQString(s.ExclusionNotice()));
    exLab_->setVisible(s.ExclusionNoticeVisible());
    curSettings_->setText(ToQString(s.PortSettingsCaption()));
}

void MainWindow::ShowManualEntry(const ManualEntryView& view) {
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

void MainWindow::closeEvent(QCloseEvent* event) {
    emit closeRequested();
    event->accept();
}

// Enter presses the default button, as it would in a dialog.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && endEdit_->isEnabled()) {
        endEdit_->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace quillet
