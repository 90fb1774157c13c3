#pragma once

#include "config/DialogText.h"
#include <QDialog>

namespace quillet {

// frmAbout: the program's name, version and maker.
class QtAboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = dialog_text::kAboutTitle;

    explicit QtAboutDialog(QWidget* parent = nullptr);

    static void Show(QWidget* parent = nullptr);
};

} // namespace quillet
