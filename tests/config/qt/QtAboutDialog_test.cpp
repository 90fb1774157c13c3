#include "config/qt/QtAboutDialog.h"

#include "base/Version.h"
#include "base/qt/ProgramIcon.h"
#include "support/qt/WidgetChecks.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace quillet {

class AboutDialogTest : public QObject {
    Q_OBJECT

private slots:
    void captions() {
        QtAboutDialog dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Quillet"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblProdInfo"))->text(),
                 QStringLiteral("Quillet Version " QUILLET_VERSION));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblZorInfo"))
                    ->text()
                    .contains(QStringLiteral("4.3")));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("VerLabel"))
                    ->text()
                    .startsWith(QStringLiteral("Copyright 2003 ")));
        for (const char* line : {"Line1", "Line2", "Line3", "Line4"}) {
            QVERIFY2(dialog.findChild<QFrame*>(QString::fromLatin1(line)) != nullptr, line);
        }
        const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOk"));
        QCOMPARE(ok->text(), QStringLiteral("&Ok"));
        QVERIFY(ok->isDefault());
        QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("imgApp"))->pixmap().isNull());
    }

    void enterCloses() {
        QtAboutDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void fitsItsCaptions() {
        QtAboutDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.width() >= 339);
        QVERIFY(dialog.height() >= 119);
        QCOMPARE(testing::ClippedWidgets(dialog), QStringList{});
    }

    void iconHasEverySize() {
        const QIcon icon = ProgramIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().size(), 3);
        const QImage image = icon.pixmap(32, 32).toImage();
        // The pictures are built in: the icon is not one flat colour.
        QVERIFY(image.pixelColor(5, 15) != image.pixelColor(6, 15) ||
                image.pixelColor(4, 10) != image.pixelColor(2, 10));
    }
};

} // namespace quillet

QTEST_MAIN(quillet::AboutDialogTest)
#include "QtAboutDialog_test.moc"
