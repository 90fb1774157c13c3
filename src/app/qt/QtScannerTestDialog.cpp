#include "app/qt/QtScannerTestDialog.h"

#include "app/ScannerTestText.h"
#include "base/qt/SingleByteText.h"
#include "config/qt/CenterForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace quillet {

namespace {

using namespace scanner_test_text;

constexpr int kMinWidth = 460;
constexpr int kMinHeight = 320;

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel* Caption(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

QtScannerTestDialog::QtScannerTestDialog(ScannerTest& test, QWidget* parent)
    : QDialog(parent), test_(test) {
    setObjectName(QStringLiteral("frmScannerTest"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    scans_ = new QListWidget(this);
    scans_->setObjectName(QStringLiteral("lstScans"));
    findings_ = new QLabel(this);
    findings_->setObjectName(QStringLiteral("lblFindings"));
    findings_->setWordWrap(true);
    findings_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    findings_->setTextFormat(Qt::PlainText);

    print_ = Button(kPrintLabels, "cmdPrintLabels", this);
    use_ = Button(kUseSettings, "cmdUseSettings", this);
    close_ = Button(kClose, "cmdClose", this);
    connect(print_, &QPushButton::clicked, this, [this] { test_.PrintLabels(); });
    connect(use_, &QPushButton::clicked, this, &QDialog::accept);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print_);
    buttons->addStretch();
    buttons->addWidget(use_);
    buttons->addWidget(close_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Caption(kIntro, this));
    column->addWidget(Caption(kScansCaption, this));
    column->addWidget(scans_, 1);
    column->addWidget(Caption(kFindingsCaption, this));
    column->addWidget(findings_, 1);
    column->addLayout(buttons);

    setMinimumSize(kMinWidth, kMinHeight);
    test_.OnChange([this] { Redraw(); });
    Redraw();
    close_->setFocus();
    CenterForm(*this);
}

QtScannerTestDialog::~QtScannerTestDialog() {
    test_.OnChange({});
}

void QtScannerTestDialog::Redraw() {
    scans_->clear();
    for (const std::string& scan : test_.Scans()) {
        scans_->addItem(ToQString(scan));
    }
    scans_->scrollToBottom();
    QStringList lines;
    for (const std::string& line : test_.Findings()) {
        lines << ToQString(line);
    }
    findings_->setText(lines.join(QLatin1Char('\n')));
    use_->setEnabled(test_.CanUse());
}

std::optional<ScannerSetup> QtScannerTestDialog::Ask(ScannerTest& test, QWidget* parent) {
    QtScannerTestDialog dialog(test, parent);
    if (dialog.exec() != QDialog::Accepted || !test.Found()) {
        return std::nullopt;
    }
    return test.Found();
}

} // namespace quillet
