#pragma once

#include "config/DialogText.h"
#include "config/SerialSettingsForm.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quillet {

struct Settings;

// frmSettings: the operator picks port and line settings. The dialog only hands back the
// choice; the caller stores it and reopens the port.
class QtSettingsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = dialog_text::kSettingsTitle;

    // `ports`: the system's ports, listed under "Other:".
    explicit QtSettingsDialog(const Settings& settings, std::vector<SerialPortInfo> ports = {},
                              QWidget* parent = nullptr);

    SerialSettingsChoice choice() const { return ChosenSerialSettings(form_); }

    // Shows the dialog modally; the choice on OK, nothing on Cancel.
    static std::optional<SerialSettingsChoice> Ask(const Settings& settings,
                                                   const std::vector<SerialPortInfo>& ports = {},
                                                   QWidget* parent = nullptr);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    QGroupBox* BuildFrame(const SerialOptionGroup& group);
    void BuildButtons();
    void BuildOtherPortList();
    void PortChanged();
    void SetTabOrder();

    SerialSettingsForm form_;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QComboBox* cboOtherPort_ = nullptr;
    QLabel* lblPortNote_ = nullptr;
};

} // namespace quillet
