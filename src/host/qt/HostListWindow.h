#pragma once

#include "host/SimulatedHost.h"

#include <QWidget>

#include <array>

class QLabel;
class QTableWidget;

namespace quillet {

// The simulated host's execution list, for the operator to watch: one row per entry with
// a column per host field and the entry's whole field string, and the run state. It shows
// itself when the list is made visible.
class HostListWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr std::array<int, 11> kFieldColumns = {161, 164, 171, 284, 280, 165,
                                                          168, 169, 170, 282, 283};

    explicit HostListWindow(SimulatedHost& host, QWidget* parent = nullptr);
    ~HostListWindow() override;

    // Detaches from the host (before the host goes away).
    void Detach();

    // Redraws the list and the state from the host.
    void Refresh();

private:
    void ShowEntries(const std::vector<SimulatedHost::Entry>& entries);
    void AddRow(int row, const SimulatedHost::Entry& entry);
    void SetCell(int row, int column, const std::string& text);

    SimulatedHost* host_;
    QTableWidget* table_ = nullptr;
    QLabel* state_ = nullptr;
};

// "Idle", "Started", "Stopped" or "Ended".
const char* RunStateName(SimulatedHost::RunState state);

} // namespace quillet
