#pragma once

#include "app/MainMenu.h"
#include "app/MainWindowText.h"
#include "app/ManualEntry.h"
#include "base/WindowState.h"

#include <QMainWindow>
#include <QTimer>

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

namespace quillet {

class ElidedLabel;

// frmMain: draws the core's WindowState and manual-entry view and reports what the
// operator does. It decides nothing itself.
class QtMainWindow : public QMainWindow, public WindowStateObserver {
    Q_OBJECT

public:
    // The client area as designed: 7380 x 3330 twips at 15 twips a pixel. A larger font
    // makes it larger; the window keeps a fixed size either way.
    static constexpr int kClientWidth =
        main_window::kClientWidthTwips / main_window::kTwipsPerPixel;
    static constexpr int kClientHeight =
        main_window::kClientHeightTwips / main_window::kTwipsPerPixel;

    explicit QtMainWindow(QWidget* parent = nullptr);
    ~QtMainWindow() override;

    // Draws `state` from now on; the state must outlive the window or be detached first.
    void Attach(WindowState& state);
    void Detach();

    void ShowManualEntry(const ManualEntryView& view);

    // Timer1: the scanner poll, 1000 ms as designed, not yet running.
    QTimer& PollTimer() { return pollTimer_; }

    void StatusChanged(const std::string& text) override;
    void Changed() override;

signals:
    void autoClearClicked(bool checked);
    void overwriteClicked(bool checked);
    void autoStartClicked(bool checked);
    void editClicked();
    void okClicked(const QString& boxText);
    void commandRequested(quillet::Command command);
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls(QWidget* client);
    QLayout* BuildEntryRow(QWidget* client);
    QLayout* BuildOptionRows(QWidget* client);
    QLayout* BuildIndicatorRows(QWidget* client);
    QWidget* BuildStatusBar(QWidget* client);
    void FixSize(QWidget* client);
    void BuildMenus();
    void ConnectControls();
    void Refresh();
    void PlaceAutoStart(int row);

    WindowState* state_ = nullptr;
    QTimer pollTimer_;
    QCheckBox* aClear_ = nullptr;
    QCheckBox* overwrite_ = nullptr;
    QCheckBox* showEd_ = nullptr;
    QCheckBox* autoStart_ = nullptr;
    QLineEdit* entry_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* endEdit_ = nullptr;
    QFrame* statusBar_ = nullptr;
    ElidedLabel* status_ = nullptr;
    QLabel* curSettings_ = nullptr;
    QLabel* exLab_ = nullptr;
    QLabel* labelAfs_ = nullptr;
    QLabel* dSpin_ = nullptr;
    std::array<QLabel*, WindowState::kRowIndicators> labId_{};
    QGridLayout* options_ = nullptr;
    int autoStartRow_ = 0;
};

} // namespace quillet
