#include "host/qt/HostListWindow.h"

#include "base/qt/SingleByteText.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillet {

namespace {

constexpr int kFieldStringColumn = static_cast<int>(HostListWindow::kFieldColumns.size());

QTableWidgetItem* Cell(const std::string& text) {
    auto* item = new QTableWidgetItem(ToQString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

const char* RunStateName(SimulatedHost::RunState state) {
    switch (state) {
    case SimulatedHost::RunState::Started:
        return "Started";
    case SimulatedHost::RunState::Stopped:
        return "Stopped";
    case SimulatedHost::RunState::Ended:
        return "Ended";
    case SimulatedHost::RunState::Idle:
        break;
    }
    return "Idle";
}

HostListWindow::HostListWindow(SimulatedHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(&host) {
    setObjectName(QStringLiteral("HostList"));
    setWindowTitle(QStringLiteral("Execution list (simulated host)"));
    // It appears while the operator works in the main window: showing it must not take
    // the keyboard away from the entry box.
    setAttribute(Qt::WA_ShowWithoutActivating);
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("HostState"));
    table_ = new QTableWidget(0, kFieldStringColumn + 1, this);
    table_->setObjectName(QStringLiteral("HostEntries"));
    QStringList headers;
    for (const int field : kFieldColumns) {
        headers << QString::number(field);
    }
    headers << QStringLiteral("Field string");
    table_->setHorizontalHeaderLabels(headers);
    // The field string is shown whole; a long one scrolls rather than being cut. Columns
    // widen as cells arrive (SetCell) rather than being measured over every row.
    table_->setTextElideMode(Qt::ElideNone);
    table_->setWordWrap(false);
    table_->resizeColumnsToContents();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(state_);
    layout->addWidget(table_);
    resize(900, 300);
    host_->SetObserver([this] { Refresh(); });
    Refresh();
}

HostListWindow::~HostListWindow() {
    Detach();
}

void HostListWindow::Detach() {
    if (host_ != nullptr) {
        host_->SetObserver({});
        host_ = nullptr;
    }
}

void HostListWindow::Refresh() {
    if (host_ == nullptr) {
        return;
    }
    state_->setText(QStringLiteral("State: %1").arg(QLatin1String(RunStateName(host_->State()))));
    ShowEntries(host_->Entries());
    if (host_->ListVisible() && !isVisible()) {
        show();
    }
}

// The host's list only grows or is emptied, and every change is reported: rows already
// shown stay as they are, so a change costs what it adds, whatever the list's length.
void HostListWindow::ShowEntries(const std::vector<SimulatedHost::Entry>& entries) {
    const int count = static_cast<int>(entries.size());
    if (count < table_->rowCount()) {
        table_->setRowCount(0);
        table_->resizeColumnsToContents();
    }
    const int shown = table_->rowCount();
    if (count == shown) {
        return;
    }
    table_->setRowCount(count);
    for (int row = shown; row < count; ++row) {
        AddRow(row, entries[static_cast<std::size_t>(row)]);
    }
}

void HostListWindow::AddRow(int row, const SimulatedHost::Entry& entry) {
    for (int column = 0; column < kFieldStringColumn; ++column) {
        const auto found = entry.fields.find(kFieldColumns[static_cast<std::size_t>(column)]);
        SetCell(row, column, found == entry.fields.end() ? "" : found->second);
    }
    SetCell(row, kFieldStringColumn, entry.fieldString);
}

// Widens the cell's column when the new text needs more room; only the new cell is measured.
void HostListWindow::SetCell(int row, int column, const std::string& text) {
    table_->setItem(row, column, Cell(text));
    const int grid = table_->showGrid() ? 1 : 0;
    const int wanted = table_->sizeHintForIndex(table_->model()->index(row, column)).width();
    if (wanted + grid > table_->columnWidth(column)) {
        table_->setColumnWidth(column, wanted + grid);
    }
}

} // namespace quillet
