#include "base/qt/QtDesktop.h"
#include "base/qt/QtEventPump.h"
#include "base/qt/QtOperator.h"
#include "base/qt/SingleByteText.h"

#include "support/RecordingTrace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace quillet;

class QtOperatorTest : public QObject {
    Q_OBJECT

private slots:
    void ShownBoxAnswersWithTheButtonPressed() {
        QtOperator op;
        QTimer::singleShot(0, this, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            QCOMPARE(box->windowTitle(), QStringLiteral("Quillet"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            box->button(QMessageBox::Retry)->click();
        });
        QCOMPARE(
            op.Message(MessageIcon::Question, MessageButtons::RetryCancel, "", "Unformatted Disk"),
            MessageAnswer::Retry);
        QTimer::singleShot(
            0, this, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QCOMPARE(op.Message(MessageIcon::Question, MessageButtons::OkCancel, "", "Insert Disk"),
                 MessageAnswer::Cancel);
    }

    void SleepKeepsEventsRunning() {
        QtEventPump pump;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        pump.Sleep(200);
        QVERIFY(clock.elapsed() >= 200);
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(ticks >= 5);
    }

    void SingleByteTextRoundTrips() {
        std::string all;
        for (int b = 0x20; b <= 0xFF; ++b) {
            if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) {
                all += static_cast<char>(b);
            }
        }
        QCOMPARE(FromQString(ToQString(all)), all);
        QCOMPARE(ToQString("\xf1\x80"), QString::fromUtf8("\xc3\xb1\xe2\x82\xac"));
        QCOMPARE(FromQString(QString::fromUtf8("\xe2\x82\xac")), std::string("\x80"));
        QCOMPARE(FromQString(QString::fromUtf8("a\xce\xa9")), std::string("a?"));
    }

    void DesktopStartsProgramsButCannotReachTheirWindows() {
        QtDesktop desktop;
        QCOMPARE(desktop.StartProgram("/nonexistent/Pentrax"), 0L);
        QVERIFY(!desktop.IsRunning(0));
        const long task = desktop.StartProgram("/bin/true");
        QVERIFY(task > 0);
        QTRY_VERIFY(!desktop.IsRunning(task));
        QVERIFY(!desktop.SendKeys("x"));
        QVERIFY(!desktop.ActivateTask(task));
    }
};

QTEST_MAIN(QtOperatorTest)
#include "QtOperator_test.moc"
