#include "config/qt/QtSettingsDialog.h"

#include "config/Settings.h"
#include "support/qt/WidgetChecks.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace quillet {
namespace {

Settings Stored(std::int16_t port, const char* line) {
    Settings settings;
    settings.CommPortNumber = port;
    settings.CommSettings = line;
    return settings;
}

QRadioButton* Option(const QDialog& dialog, const char* name) {
    return dialog.findChild<QRadioButton*>(QString::fromLatin1(name));
}

QStringList CheckedOptions(const QDialog& dialog) {
    QStringList names;
    for (const QRadioButton* option : dialog.findChildren<QRadioButton*>()) {
        if (option->isChecked()) {
            names << option->objectName();
        }
    }
    return names;
}

void ClickOk(QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
}

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndNames() {
        const QtSettingsDialog dialog(Stored(1, "9600,N,8,1"));
        QCOMPARE(dialog.objectName(), QStringLiteral("frmSettings"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
        for (const SerialOptionGroup& group : SerialOptionGroups()) {
            const auto* frame = dialog.findChild<QGroupBox*>(QString::fromLatin1(group.frameName));
            QVERIFY2(frame != nullptr, group.frameName);
            QCOMPARE(frame->title(), QString::fromLatin1(group.caption));
            for (std::size_t i = 0; i < group.options; ++i) {
                const QRadioButton* option = Option(dialog, group.optionName(i).c_str());
                QVERIFY2(option != nullptr, group.optionName(i).c_str());
                QCOMPARE(option->parentWidget(), frame);
                QCOMPARE(option->text(), QString::fromStdString(group.optionCaption(i)));
            }
        }
        const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        const auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(!cancel->isDefault());
    }

    void loadSelectsStoredOptions_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<int>("okPort");
        QTest::addColumn<QString>("okLine");
        QTest::newRow("default") << 1 << "9600,N,8,1"
                                 << QStringList{"optCom1", "optBaud9600", "optParityNone",
                                                "optDataBits8", "optStopBits1"}
                                 << 1 << "9600,N,8,1";
        QTest::newRow("unknown baud kept")
            << 4 << "115200,O,7,2"
            << QStringList{"OptCom4", "optParityOdd", "optDataBits7", "optStopBits2"} << 4
            << "115200,O,7,2";
        QTest::newRow("one and a half stop bits read as one")
            << 2 << "4800,E,7,1.5"
            << QStringList{"optCom2", "optBaud4800", "optParityEven", "optDataBits7",
                           "optStopBits1"}
            << 2 << "4800,E,7,1";
        QTest::newRow("lower-case parity kept")
            << 3 << "9600,e,8,1"
            << QStringList{"optCom3", "optBaud9600", "optDataBits8", "optStopBits1"} << 3
            << "9600,e,8,1";
        QTest::newRow("port 7 shown under Other: and kept")
            << 7 << "9600,N,8,1"
            << QStringList{"optComOther", "optBaud9600", "optParityNone", "optDataBits8",
                           "optStopBits1"}
            << 7 << "9600,N,8,1";
        QTest::newRow("port 300 selects nothing and stores 0")
            << 300 << "9600,N,8,1"
            << QStringList{"optBaud9600", "optParityNone", "optDataBits8", "optStopBits1"} << 0
            << "9600,N,8,1";
        QTest::newRow("no comma") << 1 << "2400"
                                  << QStringList{"optCom1", "optBaud2400", "optParityNone",
                                                 "optDataBits8", "optStopBits1"}
                                  << 1 << "2400,N,8,1";
        QTest::newRow("empty") << 1 << ""
                               << QStringList{"optCom1", "optParityNone", "optDataBits8",
                                              "optStopBits1"}
                               << 1 << "0,N,8,1";
    }

    void loadSelectsStoredOptions() {
        QFETCH(int, port);
        QFETCH(QString, line);
        QFETCH(QStringList, checked);
        QFETCH(int, okPort);
        QFETCH(QString, okLine);
        QtSettingsDialog dialog(Stored(static_cast<std::int16_t>(port), qPrintable(line)));
        dialog.show();
        QCOMPARE(CheckedOptions(dialog), checked);
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.choice().CommPortNumber, okPort);
        QCOMPARE(QString::fromStdString(dialog.choice().CommSettings), okLine);
    }

    void pickedOptionsBecomeTheSettings() {
        QtSettingsDialog dialog(Stored(7, "115200,n,8,2"));
        dialog.show();
        for (const char* name :
             {"optCom3", "optBaud19200", "optParityEven", "optDataBits7", "optStopBits1"}) {
            testing::ClickCaption(Option(dialog, name));
        }
        ClickOk(dialog);
        QCOMPARE(dialog.choice().CommPortNumber, 3);
        QCOMPARE(QString::fromStdString(dialog.choice().CommSettings),
                 QStringLiteral("19200,E,7,1"));
    }

    void enterAcceptsAndEscapeCancels() {
        QtSettingsDialog accepted(Stored(1, "9600,N,8,1"));
        accepted.show();
        QVERIFY(QTest::qWaitForWindowExposed(&accepted));
        QTest::keyClick(&accepted, Qt::Key_Return);
        QCOMPARE(accepted.result(), int(QDialog::Accepted));

        QtSettingsDialog cancelled(Stored(1, "9600,N,8,1"));
        cancelled.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cancelled));
        QTest::keyClick(&cancelled, Qt::Key_Escape);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    }

    void askHandsBackNothingOnCancel() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            Option(*dialog, "optBaud57600")->click();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        QVERIFY(!QtSettingsDialog::Ask(Stored(1, "9600,N,8,1")).has_value());

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            Option(*dialog, "optBaud57600")->click();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        const auto choice = QtSettingsDialog::Ask(Stored(1, "9600,N,8,1"));
        QVERIFY(choice.has_value());
        QCOMPARE(QString::fromStdString(choice->CommSettings), QStringLiteral("57600,N,8,1"));
    }

    void focusRunsThroughFramesThenButtons() {
        QtSettingsDialog dialog(Stored(1, "9600,N,8,1"));
        const QStringList chain = testing::FocusChain(Option(dialog, "optStopBits1"), 4);
        QCOMPARE(chain, (QStringList{"optStopBits1", "optStopBits2", "cmdOK", "cmdCancel"}));
        QCOMPARE(testing::FocusChain(Option(dialog, "OptCom4"), 3),
                 (QStringList{"OptCom4", "optComOther", "optBaud300"}));
    }

    // A line of the "Other:" list chooses its port, with the option and the note following.
    void otherListChoosesAPortWithItsIdentity() {
        SerialPortInfo usb;
        usb.number = 9;
        usb.identity = "usb-Scanner_1234-if00";
        SerialPortInfo builtIn;
        builtIn.number = 2;
        QtSettingsDialog dialog(Stored(1, "9600,N,8,1"), {usb, builtIn});
        dialog.show();
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("cboOtherPort"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentText(), QStringLiteral("COM9"));
        list->setCurrentIndex(0);
        emit list->activated(0);
        QVERIFY(Option(dialog, "optCom2")->isChecked());
        list->setCurrentIndex(1);
        emit list->activated(1);
        QVERIFY(Option(dialog, "optComOther")->isChecked());
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblPortNote"))->text(),
                 QStringLiteral("Found again in any socket as usb-Scanner_1234-if00"));
        ClickOk(dialog);
        QCOMPARE(dialog.choice().CommPortNumber, 9);
        QCOMPARE(QString::fromStdString(dialog.choice().ScannerPort),
                 QStringLiteral("usb-Scanner_1234-if00"));
    }

    // Tab enters each frame at its selected option, so a Space there changes nothing.
    void tabLandsOnTheSelectedOptionOfEachFrame() {
        QtSettingsDialog dialog(Stored(2, "9600,E,8,2"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Option(dialog, "optCom2")->setFocus();
        QStringList stops;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            stops << dialog.focusWidget()->objectName();
        }
        QCOMPARE(stops, (QStringList{"optBaud9600", "optParityEven", "optDataBits8", "optStopBits2",
                                     "cmdOK"}));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Backtab);
        QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("optStopBits2"));
    }

    void fitsItsCaptions() {
        QtSettingsDialog dialog(Stored(1, "9600,N,8,1"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.width() >= 306);
        QVERIFY(dialog.height() >= 178);
        QCOMPARE(testing::ClippedWidgets(dialog), QStringList{});
    }
};

} // namespace quillet

QTEST_MAIN(quillet::SettingsDialogTest)
#include "QtSettingsDialog_test.moc"
