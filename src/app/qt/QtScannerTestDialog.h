#pragma once

#include "app/ScannerTest.h"

#include <QDialog>

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace quillet {

// The Scanner Test dialog: draws the test's scans and findings as they come and hands back
// the set-up on "Use these settings".
class QtScannerTestDialog : public QDialog {
    Q_OBJECT

public:
    explicit QtScannerTestDialog(ScannerTest& test, QWidget* parent = nullptr);
    ~QtScannerTestDialog() override;

    static std::optional<ScannerSetup> Ask(ScannerTest& test, QWidget* parent = nullptr);

private:
    void Redraw();

    ScannerTest& test_;
    QListWidget* scans_ = nullptr;
    QLabel* findings_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* use_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace quillet
