#include "app/qt/QtScannerTestDialog.h"

#include "support/qt/WidgetChecks.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace quillet {

class ScannerTestDialogTest : public QObject {
    Q_OBJECT

private:
    template <typename W> static W* Find(const QDialog& dialog, const char* name) {
        return dialog.findChild<W*>(QString::fromLatin1(name));
    }

private slots:
    // Scans arriving while it is open are drawn from the model; "Use these settings" is
    // there only after a reference label and hands back what it found.
    void drawsScansAndHandsBackWhatWasFound() {
        int printed = 0;
        ScannerTest test({}, [&] {
            ++printed;
            return std::string("The test labels could not be opened: /x.svg");
        });
        std::optional<ScannerSetup> chosen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            auto* use = Find<QPushButton>(*dialog, "cmdUseSettings");
            auto* findings = Find<QLabel>(*dialog, "lblFindings");
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Scanner Test"));
            QVERIFY(!use->isEnabled());
            QCOMPARE(findings->text(), QStringLiteral("Waiting for a scan."));
            test.Scanned("PJ1\r");
            QVERIFY(!use->isEnabled());
            test.Scanned("]C0Qc4L-7x\r");
            auto* scans = Find<QListWidget>(*dialog, "lstScans");
            QCOMPARE(scans->count(), 2);
            QCOMPARE(scans->item(1)->text(), QStringLiteral("]C0Qc4L-7x\\r"));
            QCOMPARE(findings->text(), QStringLiteral("The Code 128 test label.\nPrefix: none\n"
                                                      "Symbology identifier: ]C0 (Code 128)\n"
                                                      "Suffix: \\r"));
            QCOMPARE(testing::ClippedWidgets(*dialog), QStringList{});
            QTest::mouseClick(Find<QPushButton>(*dialog, "cmdPrintLabels"), Qt::LeftButton);
            QCOMPARE(printed, 1);
            QCOMPARE(findings->text(),
                     QStringLiteral("The test labels could not be opened: /x.svg"));
            QVERIFY(use->isEnabled());
            QTest::mouseClick(use, Qt::LeftButton);
        });
        chosen = QtScannerTestDialog::Ask(test);
        QVERIFY(chosen.has_value());
        QCOMPARE(*chosen, (ScannerSetup{"", "\r", true}));
    }

    void closeHandsBackNothing() {
        ScannerTest test({}, {});
        QTimer::singleShot(0, [&] {
            test.Scanned("]C0Qc4L-7x\r");
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QTest::mouseClick(Find<QPushButton>(*dialog, "cmdClose"), Qt::LeftButton);
        });
        QVERIFY(!QtScannerTestDialog::Ask(test).has_value());
    }
};

} // namespace quillet

QTEST_MAIN(quillet::ScannerTestDialogTest)
#include "QtScannerTestDialog_test.moc"
