#include "config/qt/CenterForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

namespace quillet {

class CenterFormTest : public QObject {
    Q_OBJECT

private slots:
    void position_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("even") << QSize(1024, 768) << QSize(306, 178) << QPoint(359, 295);
        QTest::newRow("odd difference rounds down")
            << QSize(1025, 769) << QSize(306, 178) << QPoint(359, 295);
        QTest::newRow("same size") << QSize(800, 600) << QSize(800, 600) << QPoint(0, 0);
        QTest::newRow("larger than the screen")
            << QSize(800, 600) << QSize(1000, 500) << QPoint(0, 50);
    }

    void position() {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QFETCH(QPoint, expected);
        QCOMPARE(CenteredPosition(screen, window), expected);
    }

    void movesTheWindowToTheMiddle() {
        QWidget window;
        window.resize(300, 200);
        CenterForm(window);
        const QRect area = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window.pos(), area.topLeft() + CenteredPosition(area.size(), QSize(300, 200)));
    }

    // Centred before it is first shown, a window that was never sized is placed by the
    // size it will show with, not by Qt's placeholder size.
    void unsizedWindowIsCentredByItsShownSize() {
        QWidget window;
        auto* content = new QWidget(&window);
        content->setFixedSize(200, 100);
        window.setMinimumSize(200, 100);
        CenterForm(window);
        const QRect area = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window.size(), QSize(200, 100));
        QCOMPARE(window.pos(), area.topLeft() + CenteredPosition(area.size(), QSize(200, 100)));
    }
};

} // namespace quillet

QTEST_MAIN(quillet::CenterFormTest)
#include "CenterForm_test.moc"
