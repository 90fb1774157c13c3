#include "app/qt/QtLabelsWindow.h"

#include "app/LabelsWindowText.h"
#include "base/qt/SingleByteText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <vector>

namespace quillet {

namespace {

using namespace labels_window;

constexpr int kLabelColumn = 1;
constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 420;

const std::string& Cell(const LabelRow& row, int column) {
    const std::string* cells[] = {&row.time, &row.label,   &row.kind,
                                  &row.sent, &row.outcome, &row.reason};
    return *cells[column];
}

} // namespace

int QtLabelsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int QtLabelsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::size(kColumns));
}

QVariant QtLabelsModel::data(const QModelIndex& index, int role) const {
    const std::optional<std::size_t> label = index.isValid() ? Label(index.row()) : std::nullopt;
    if (!label) {
        return {};
    }
    const std::string& cell = Cell(labels_.Row(*label), index.column());
    if (role == Qt::DisplayRole) {
        return ToQString(index.column() == kLabelColumn ? Shortened(cell, kLabelWidth) : cell);
    }
    if (role == Qt::ToolTipRole) {
        return ToQString(cell);
    }
    return {};
}

QVariant QtLabelsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        static_cast<std::size_t>(section) >= std::size(kColumns)) {
        return {};
    }
    return QString::fromLatin1(kColumns[section]);
}

void QtLabelsModel::Reload() {
    const int count = static_cast<int>(labels_.Count());
    // Fewer rows: a new day began, none of the old ones is left.
    if (count < shown_) {
        beginResetModel();
        shown_ = count;
        endResetModel();
        return;
    }
    if (count > shown_) {
        beginInsertRows({}, 0, count - shown_ - 1);
        shown_ = count;
        endInsertRows();
    }
    // A row set's row changes in place.
    if (shown_ > 0) {
        emit dataChanged(index(0, 0), index(shown_ - 1, columnCount() - 1));
    }
}

std::optional<std::size_t> QtLabelsModel::Label(int row) const {
    const std::size_t count = labels_.Count();
    if (row < 0 || row >= shown_ || count < static_cast<std::size_t>(shown_)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row) + count - static_cast<std::size_t>(shown_);
}

QtLabelsWindow::QtLabelsWindow(TodaysLabels& labels, QWidget* parent)
    : QWidget(parent, Qt::Window), labels_(labels), model_(labels), table_(new QTableView),
      tryText_(new QLineEdit), tryButton_(new QPushButton(QString::fromLatin1(kTryButton))),
      scansTried_(new QCheckBox(QString::fromLatin1(kScansTried))), tried_(new QPlainTextEdit) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setObjectName(QStringLiteral("frmLabels"));
    table_->setObjectName(QStringLiteral("grdLabels"));
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Whole rows are chosen, never cells: Tab goes on to the try box.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* copy = new QAction(QString::fromLatin1(kCopy), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &QtLabelsWindow::Copy);

    tryText_->setObjectName(QStringLiteral("txtTry"));
    tryButton_->setObjectName(QStringLiteral("cmdTry"));
    scansTried_->setObjectName(QStringLiteral("chkTryScans"));
    tried_->setObjectName(QStringLiteral("txtTried"));
    tried_->setReadOnly(true);
    tried_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* box = new QGroupBox(QString::fromLatin1(kTryLabel));
    auto* row = new QHBoxLayout;
    row->addWidget(tryText_, 1);
    row->addWidget(tryButton_);
    row->addWidget(scansTried_);
    auto* tryLayout = new QVBoxLayout(box);
    tryLayout->addLayout(row);
    tryLayout->addWidget(tried_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 3);
    layout->addWidget(box, 2);
    resize(kWindowWidth, kWindowHeight);

    connect(tryButton_, &QPushButton::clicked, this,
            [this] { emit tryRequested(tryText_->text()); });
    connect(tryText_, &QLineEdit::returnPressed, tryButton_, &QPushButton::click);
    connect(scansTried_, &QCheckBox::toggled, this, &QtLabelsWindow::scansTriedChanged);
    // Drawn after the label, never inside it.
    labels_.OnChanged([this] { QTimer::singleShot(0, this, &QtLabelsWindow::Changed); });
}

QtLabelsWindow::~QtLabelsWindow() {
    labels_.OnChanged({});
}

void QtLabelsWindow::ShowTried(const std::string& report) {
    tried_->setPlainText(ToQString(report));
}

std::string QtLabelsWindow::SelectedText() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        if (const std::optional<std::size_t> label = model_.Label(index.row())) {
            rows.push_back(*label);
        }
    }
    std::sort(rows.begin(), rows.end());
    return labels_.RowsText(rows, "\n");
}

void QtLabelsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (std::exchange(stale_, false)) {
        model_.Reload();
    }
}

// A hidden window only notes that it is behind.
void QtLabelsWindow::Changed() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    model_.Reload();
}

void QtLabelsWindow::Copy() {
    QApplication::clipboard()->setText(ToQString(SelectedText()));
}

} // namespace quillet
