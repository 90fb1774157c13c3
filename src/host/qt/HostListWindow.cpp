#include "host/qt/HostListWindow.h"

#include "base/qt/SingleByteText.h"

#include <QHeaderView>
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
    // The field string is shown whole; a long one scrolls rather than being cut.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setTextElideMode(Qt::ElideNone);
    table_->setWordWrap(false);
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
    const std::vector<SimulatedHost::Entry>& entries = host_->Entries();
    table_->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const SimulatedHost::Entry& entry = entries[static_cast<std::size_t>(row)];
        for (int column = 0; column < kFieldStringColumn; ++column) {
            const auto found = entry.fields.find(kFieldColumns[static_cast<std::size_t>(column)]);
            table_->setItem(row, column, Cell(found == entry.fields.end() ? "" : found->second));
        }
        table_->setItem(row, kFieldStringColumn, Cell(entry.fieldString));
    }
    if (host_->ListVisible() && !isVisible()) {
        show();
    }
}

} // namespace quillet
