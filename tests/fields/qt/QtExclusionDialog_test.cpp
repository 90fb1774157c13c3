#include "fields/qt/QtExclusionDialog.h"

#include "base/WindowState.h"
#include "config/Settings.h"
#include "support/FakeIniProfile.h"
#include "support/qt/WidgetChecks.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace quillet {
namespace {

QCheckBox* Box(const QDialog& dialog, int number) {
    return dialog.findChild<QCheckBox*>(QStringLiteral("ExCk%1").arg(number));
}

QPushButton* Button(const QDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

QString Ticked(const QDialog& dialog) {
    QString numbers;
    for (int i = 1; i <= kExclusionCount; ++i) {
        if (Box(dialog, i)->isChecked()) {
            numbers += QString::number(i);
        }
    }
    return numbers;
}

} // namespace

class ExclusionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndLayout() {
        QtExclusionDialog dialog("");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.objectName(), QStringLiteral("ExInsForm"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Exclusion Insertion"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Automatic insertion of an Exclusion number in the List Manager "
                                "upon scan of barcode.  Select desired Exclusion number to "
                                "insert."));
        int left = -1;
        for (int i = 1; i <= kExclusionCount; ++i) {
            QCOMPARE(Box(dialog, i)->text(), QString::number(i));
            QVERIFY(Box(dialog, i)->x() > left);
            QCOMPARE(Box(dialog, i)->y(), Box(dialog, 1)->y());
            left = Box(dialog, i)->x();
        }
        const QPushButton* ok = Button(dialog, "BtnOK");
        const QPushButton* cancel = Button(dialog, "BtnCan");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(cancel->x() < Box(dialog, 1)->x() + Box(dialog, 1)->width());
        QVERIFY(ok->x() > Box(dialog, 7)->x());
        QVERIFY(cancel->y() > Box(dialog, 1)->y());
        QCOMPARE(ok->y(), cancel->y());
        QVERIFY(dialog.width() >= 383);
        QVERIFY(dialog.height() >= 122);
        QCOMPARE(testing::ClippedWidgets(dialog), QStringList{});
    }

    void focusStartsOnOkThenCancelThenBoxes() {
        QtExclusionDialog dialog("");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(QApplication::focusWidget(), Button(dialog, "BtnOK"));
        QCOMPARE(testing::FocusChain(Button(dialog, "BtnOK"), 10),
                 (QStringList{"BtnOK", "BtnCan", "ExCk1", "ExCk2", "ExCk3", "ExCk4", "ExCk5",
                              "ExCk6", "ExCk7", "ExCk8"}));
    }

    void ticksFromStoredFlags_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("missing key") << ""
                                     << "";
        QTest::newRow("none") << "00000000"
                              << "";
        QTest::newRow("two") << "00100100"
                             << "36";
        QTest::newRow("short") << "101"
                               << "13";
        QTest::newRow("long") << "0000000111"
                              << "8";
    }

    void ticksFromStoredFlags() {
        QFETCH(QString, stored);
        QFETCH(QString, ticked);
        const QtExclusionDialog dialog(stored.toStdString());
        QCOMPARE(Ticked(dialog), ticked);
    }

    void okStoresTickedNumbers_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("notice");
        QTest::newRow("one and three") << "" << QList<int>{1, 3} << "10100000" << true
                                       << " Exclusion Number 13  for insertion.";
        QTest::newRow("nothing") << "00100000" << QList<int>{3} << "00000000" << false << "";
        QTest::newRow("all eight") << "" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << "11111111" << true
                                   << " Exclusion Number 12345678  for insertion.";
    }

    void okStoresTickedNumbers() {
        QFETCH(QString, stored);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, flags);
        QFETCH(bool, visible);
        QFETCH(QString, notice);
        QtExclusionDialog dialog(stored.toStdString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const int number : clicks) {
            testing::ClickCaption(Box(dialog, number));
        }
        QTest::mouseClick(Button(dialog, "BtnOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(dialog.flags()), flags);

        testing::FakeIniProfile ini;
        Settings settings;
        WindowState window;
        ApplyExclusionFlags(dialog.flags(), ini, settings, window);
        QCOMPARE(QString::fromStdString(ini.Get(kSection, "Exclusion")), flags);
        QCOMPARE(window.ExclusionNoticeVisible(), visible);
        if (visible) {
            QCOMPARE(QString::fromStdString(window.ExclusionNotice()), notice);
        }
    }

    void askGivesNothingOnCancel() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            Box(*dialog, 2)->click();
            Button(*dialog, "BtnCan")->click();
        });
        QVERIFY(!QtExclusionDialog::Ask("").has_value());

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!QtExclusionDialog::Ask("11").has_value());

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            Box(*dialog, 2)->click();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QCOMPARE(QtExclusionDialog::Ask("1").value_or(""), std::string("11000000"));
    }
};

} // namespace quillet

QTEST_MAIN(quillet::ExclusionDialogTest)
#include "QtExclusionDialog_test.moc"
