#pragma once

#include "fields/AutoSelEditor.h"
#include "fields/FieldDialogText.h"

#include <QDialog>

#include <array>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace quillet {

class IniProfile;
struct LastProgram;

// MacFlds: the machine field table, the half limits, the default field and the automatic
// field selection settings. Every control is bound to the editor's model: an edit goes to
// the model (through the editor's operations on the first tab) at once, so the label
// interpreter sees it while the dialog is still open; the controls are redrawn from the
// model whenever the editor reports a change. The dialog is created once, hidden, and
// only hidden between showings. OK stores every value; Cancel, Escape and closing the
// window all leave the live values as edited and store nothing.
class QtMachineFieldDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = field_text::kMachineFieldTitle;

    // Shows the editor's model as loaded at start-up (OK stores it into `ini`) and centres
    // the dialog. The editor, the profile and `last` must outlive the dialog.
    QtMachineFieldDialog(AutoSelEditor& editor, IniProfile& ini, const LastProgram& last,
                         QWidget* parent = nullptr);
    ~QtMachineFieldDialog() override;

    // Redraws every control from the model.
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildTab(int tab);
    QWidget* BuildAutoSelectTab();
    QWidget* BuildFieldTab(int tab);
    QWidget* BuildLimitsTab();
    void BuildButtons();
    void SetFocusOrder();
    QLineEdit* AddFieldBox(FieldSlot slot, QWidget* parent);
    QCheckBox* AddCheckBox(FieldSlot slot, QWidget* parent);
    QHBoxLayout* AddPair(FieldSlot left, FieldSlot right, QWidget* parent);
    QLineEdit* AddLimitBox(const char* name, std::string MachineFieldModel::*text);
    QRadioButton* AddChoice(QWidget* parent, const char* name, const QString& caption);
    void WireTarget(QRadioButton* option, AutoSelTarget target);
    void WireVariant(QRadioButton* option, bool mirror);
    void WireChoice(QRadioButton* option, std::function<void()> pressedClick,
                    std::function<void()> otherClick);
    void RefreshFields();
    void RefreshAutoSelect();
    void SetAll(bool on);
    void TabChanged(int tab);
    void Store();

    AutoSelEditor& editor_;
    MachineFieldModel& model_;
    IniProfile& ini_;
    const LastProgram& last_;
    bool refreshing_ = false;
    // The option under a pressed mouse button: its click follows the capture on press.
    QAbstractButton* pressedChoice_ = nullptr;

    QTabWidget* tabs_ = nullptr;
    std::array<QLineEdit*, kFieldSlotCount> codeBoxes_{};
    std::array<QCheckBox*, kFieldSlotCount> checkBoxes_{};
    QLineEdit* halfLimitX_ = nullptr;
    QLineEdit* halfLimitY_ = nullptr;
    QRadioButton* triggerInName_ = nullptr;
    QRadioButton* triggerInComment_ = nullptr;
    QRadioButton* triggerInBarcode_ = nullptr;
    QRadioButton* produceMirror_ = nullptr;
    QRadioButton* produceBoth_ = nullptr;
    QGroupBox* triggerFrame_ = nullptr;
    QRadioButton* alignLeft_ = nullptr;
    QRadioButton* alignRight_ = nullptr;
    QLabel* preview_ = nullptr;
    QScrollBar* positionBar_ = nullptr;
    QLineEdit* triggerText_ = nullptr;
    QLabel* positionLeft_ = nullptr;
    QLabel* positionRight_ = nullptr;
    QPushButton* setAllButton_ = nullptr;
    QPushButton* clearAllButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace quillet
