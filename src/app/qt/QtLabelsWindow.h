#pragma once

#include "app/TodaysLabels.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <cstddef>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace quillet {

// Today's labels as a table model: one row per label, newest first.
class QtLabelsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit QtLabelsModel(const TodaysLabels& labels, QObject* parent = nullptr)
        : QAbstractTableModel(parent), labels_(labels), shown_(static_cast<int>(labels.Count())) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The rows changed: new ones arrive at the top, so the view keeps the selected labels
    // selected; it asks again for the rows it shows only.
    void Reload();
    // The label a row of the view stands for (rows that came since the last Reload sit
    // above the view's).
    std::optional<std::size_t> Label(int row) const;

private:
    const TodaysLabels& labels_;
    int shown_ = 0; // rows the view knows of
};

// The labels window beside the main window: today's labels and the try box. It draws the
// core's rows and reports; what the operator does goes out as signals.
class QtLabelsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit QtLabelsWindow(TodaysLabels& labels, QWidget* parent = nullptr);
    ~QtLabelsWindow() override;

    // A try's report, shown under the box.
    void ShowTried(const std::string& report);
    // The selected rows as text, as Copy puts them on the clipboard.
    std::string SelectedText() const;

signals:
    void tryRequested(const QString& label);
    void scansTriedChanged(bool on);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Changed();
    void Copy();

    TodaysLabels& labels_;
    QtLabelsModel model_;
    QTableView* table_;
    QLineEdit* tryText_;
    QPushButton* tryButton_;
    QCheckBox* scansTried_;
    QPlainTextEdit* tried_;
    bool stale_ = false;
};

} // namespace quillet
