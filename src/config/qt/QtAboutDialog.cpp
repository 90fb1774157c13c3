#include "config/qt/QtAboutDialog.h"

#include "base/qt/ProgramIcon.h"
#include "config/qt/CenterForm.h"
#include "config/qt/DialogSize.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {
namespace {

constexpr int kIconSide = 32;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// One half of an etched rule: a dark line with a light one under it.
QFrame* MakeLine(QWidget* parent, const char* name, QPalette::ColorRole role) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setAutoFillBackground(true);
    line->setBackgroundRole(role);
    line->setFixedHeight(1);
    return line;
}

QLayout* EtchedRule(QWidget* parent, const char* dark, const char* light) {
    auto* rule = new QVBoxLayout;
    rule->setSpacing(0);
    rule->addWidget(MakeLine(parent, dark, QPalette::Dark));
    rule->addWidget(MakeLine(parent, light, QPalette::Light));
    return rule;
}

} // namespace

QtAboutDialog::QtAboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    setWindowIcon(ProgramIcon());

    auto* imgApp = MakeLabel(this, "imgApp", QString());
    imgApp->setPixmap(ProgramIcon().pixmap(kIconSide, kIconSide));
    imgApp->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* product = MakeLabel(this, "lblProdInfo", QString::fromLatin1(dialog_text::kAboutProduct));
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto* host = MakeLabel(this, "lblZorInfo", QString::fromLatin1(dialog_text::kAboutHost));
    auto* maker = MakeLabel(this, "VerLabel", QString::fromLatin1(dialog_text::kAboutMaker));
    auto* cmdOk = new QPushButton(QString::fromLatin1(dialog_text::kAboutOk), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(imgApp, 0, 0, 3, 1);
    grid->addWidget(product, 0, 1);
    grid->addLayout(EtchedRule(this, "Line3", "Line4"), 1, 1);
    grid->addWidget(host, 2, 1);
    grid->setRowStretch(3, 1);
    grid->addLayout(EtchedRule(this, "Line1", "Line2"), 4, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(maker);
    bottom->addStretch();
    bottom->addWidget(cmdOk);
    grid->addLayout(bottom, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    cmdOk->setFocus();

    FixDialogSize(*this, TwipsToPixels(5085, 1785));
    CenterForm(*this);
}

void QtAboutDialog::Show(QWidget* parent) {
    QtAboutDialog dialog(parent);
    dialog.exec();
}

} // namespace quillet
