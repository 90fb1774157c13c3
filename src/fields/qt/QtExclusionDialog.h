#pragma once

#include "fields/ExclusionFlags.h"
#include "fields/FieldDialogText.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QPushButton;

namespace quillet {

// ExInsForm: the operator ticks the exclusion numbers to insert. OK hands back the new
// eight-character flag string; the caller stores it (ApplyExclusionFlags).
class QtExclusionDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = field_text::kExclusionTitle;

    explicit QtExclusionDialog(const std::string& flags, QWidget* parent = nullptr);

    std::string flags() const;

    static std::optional<std::string> Ask(const std::string& flags, QWidget* parent = nullptr);

private:
    std::array<QCheckBox*, kExclusionCount> ExCk_{};
    QPushButton* BtnOK_ = nullptr;
    QPushButton* BtnCan_ = nullptr;
};

} // namespace quillet
