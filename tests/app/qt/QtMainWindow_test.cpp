#include "app/ManualEntry.h"
#include "app/qt/QtMainWindow.h"

#include "app/qt/ElidedLabel.h"
#include "support/FakeOperator.h"
#include "support/qt/WidgetChecks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace quillet;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    template <typename W> W* Find(QtMainWindow& w, const char* name) {
        auto* found = w.findChild<W*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }

private slots:
    void CaptionsAndInitialStates() {
        QtMainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Quillet"));
        struct Caption {
            const char* name;
            const char* text;
        };
        const Caption buttons[] = {{"cmdEdit", "Edit"}, {"cmdEndEdit", "OK"}};
        for (const Caption& c : buttons) {
            QCOMPARE(Find<QPushButton>(w, c.name)->text(), QString::fromLatin1(c.text));
        }
        const Caption boxes[] = {
            {"AClear", "Automatic Clear on Scan"},
            {"Overwrite", "Overwrite Existing Programs With Program From 2D Barcode"},
            {"ShowEd", "Show Program in Editor"},
            {"AutoStart", "  Machine Auto Start"},
        };
        for (const Caption& c : boxes) {
            QCOMPARE(Find<QCheckBox>(w, c.name)->text(), QString::fromLatin1(c.text));
        }
        const Caption labels[] = {
            {"lblStatusBar", "Ready."},
            {"lblCurSettings", ""},
            {"DSpin", "X"},
            {"LabelAFS", "Automatic Field Selection"},
            {"LabID0", "Load List"},
            {"LabID1", "Program"},
            {"LabID2", "Dimensions"},
            {"LabID3", "Vars A-D"},
            {"LabID4", "Vars E-I"},
        };
        for (const Caption& c : labels) {
            QCOMPARE(Find<QLabel>(w, c.name)->text(), QString::fromLatin1(c.text));
        }

        QVERIFY(Find<QCheckBox>(w, "AutoStart")->isChecked());
        QVERIFY(!Find<QCheckBox>(w, "ShowEd")->isChecked());
        QVERIFY(!Find<QLineEdit>(w, "txtEtichetta")->isEnabled());
        QVERIFY(Find<QPushButton>(w, "cmdEdit")->isEnabled());
        auto* ok = Find<QPushButton>(w, "cmdEndEdit");
        QVERIFY(!ok->isEnabled());
        QVERIFY(ok->isDefault());
        QCOMPARE(w.PollTimer().interval(), 1000);
        QCOMPARE(w.PollTimer().objectName(), QStringLiteral("Timer1"));

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const char* hidden :
             {"ExLab", "LabelAFS", "DSpin", "LabID0", "LabID1", "LabID2", "LabID3", "LabID4"}) {
            QVERIFY2(!Find<QLabel>(w, hidden)->isVisible(), hidden);
        }
        QVERIFY(Find<QCheckBox>(w, "ShowEd")->isVisible());
        QVERIFY(Find<QWidget>(w, "picStatusBar")->isVisible());
    }

    void LayoutKeepsTheDesignedClientAreaAndClipsNoCaption() {
        QtMainWindow w;
        QWidget* client = w.centralWidget();
        QVERIFY(client->width() >= QtMainWindow::kClientWidth);
        QCOMPARE(client->height(), QtMainWindow::kClientHeight);
        for (auto* box : client->findChildren<QCheckBox*>()) {
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
        }
        for (auto* label : client->findChildren<QLabel*>()) {
            if (label->objectName().startsWith(QStringLiteral("LabID")) ||
                label->objectName() == QStringLiteral("LabelAFS")) {
                QVERIFY2(label->sizeHint().width() <= label->width(),
                         qPrintable(label->objectName()));
            }
        }
        auto* edit = Find<QPushButton>(w, "cmdEdit");
        auto* box = Find<QLineEdit>(w, "txtEtichetta");
        auto* ok = Find<QPushButton>(w, "cmdEndEdit");
        QVERIFY(edit->geometry().right() < box->geometry().left());
        QVERIFY(box->geometry().right() < ok->geometry().left());
        auto* bar = Find<QWidget>(w, "picStatusBar");
        QCOMPARE(bar->geometry().bottom(), client->height() - 1);
        QCOMPARE(bar->width(), client->width());
        QVERIFY(Find<QLabel>(w, "lblCurSettings")->x() < Find<QLabel>(w, "lblStatusBar")->x());
    }

    // Neither resized nor maximized: nothing can float in a larger window.
    void WindowKeepsItsSize() {
        QtMainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    }

    void TwelvePointFontClipsAndOverlapsNothing() {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSize(12);
        QApplication::setFont(large);
        QtMainWindow w;
        WindowState state;
        w.Attach(state);
        state.HideEditorOption();
        state.SetExclusionNotice(true, " Exclusion Number 12345678  for insertion.");
        state.SetPortSettingsCaption("COM4:57600,N,8,1");
        for (int i = 0; i < WindowState::kRowIndicators; ++i) {
            state.ShowRowIndicator(i);
        }
        state.SetAutoFieldSelectionVisible(true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QApplication::setFont(before);
        QCOMPARE(testing::ClippedWidgets(w).join(","), QString());
        QCOMPARE(testing::OverlappingWidgets(*w.centralWidget()).join(","), QString());
    }

    void LongStatusIsElidedWithTheWholeTextAsTip() {
        QtMainWindow w;
        WindowState state;
        w.Attach(state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* status = Find<ElidedLabel>(w, "lblStatusBar");
        QVERIFY(!status->Elided());
        QCOMPARE(status->toolTip(), QString());
        const std::string longText = "Unexpected error # 53 occured: " + std::string(200, 'x');
        state.SetStatus(longText);
        QCOMPARE(status->text(), QString::fromStdString(longText));
        QVERIFY(status->Elided());
        QCOMPARE(status->toolTip(), QString::fromStdString(longText));
        QVERIFY(status->geometry().right() < w.centralWidget()->width());
    }

    void ColoursAndFont() {
        QtMainWindow w;
        for (const char* name : {"LabID0", "LabID4", "LabelAFS"}) {
            auto* label = Find<QLabel>(w, name);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::yellow));
            QCOMPARE(label->palette().color(QPalette::Window), QColor(0, 0, 0x80));
            QVERIFY(label->alignment() & Qt::AlignHCenter);
        }
        auto* dspin = Find<QLabel>(w, "DSpin");
        QCOMPARE(dspin->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(dspin->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(dspin->font().family(), QStringLiteral("Arial"));
        QCOMPARE(Find<QLabel>(w, "lblCurSettings")->palette().color(QPalette::WindowText),
                 QColor(Qt::red));
    }

    void MenusWithAcceleratorsReportTheirCommands() {
        QtMainWindow w;
        std::vector<Command> reported;
        connect(&w, &QtMainWindow::commandRequested, this,
                [&reported](Command command) { reported.push_back(command); });
        QStringList order;
        for (QAction* a : w.menuBar()->actions()) {
            order << a->text();
        }
        QStringList expectedOrder;
        std::vector<Command> expected;
        for (const MenuDescription& description : MainMenus()) {
            expectedOrder << QString::fromLatin1(description.caption);
            auto* menu = Find<QMenu>(w, description.name);
            QCOMPARE(menu->title(), QString::fromLatin1(description.caption));
            for (const MenuEntry& entry : description.entries) {
                auto* action = Find<QAction>(w, entry.name);
                QCOMPARE(action->text(), QString::fromLatin1(entry.caption));
                QVERIFY(menu->actions().contains(action));
                action->trigger();
                expected.push_back(entry.command);
            }
        }
        QCOMPARE(order, expectedOrder);
        QVERIFY(reported == expected);
    }

    void DrawsEveryChangeOfTheWindowState() {
        QtMainWindow w;
        WindowState state;
        w.Attach(state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        state.SetStatus("Reading Barcode-Label.%\xd1"
                        "A%");
        QCOMPARE(Find<QLabel>(w, "lblStatusBar")->text(),
                 QString::fromUtf8("Reading Barcode-Label.%\xc3\x91"
                                   "A%"));
        state.ShowRowIndicator(1);
        state.ShowRowIndicator(3);
        for (int i = 0; i < WindowState::kRowIndicators; ++i) {
            auto* label = w.findChild<QLabel*>(QStringLiteral("LabID%1").arg(i));
            QCOMPARE(label->isVisible(), i == 1 || i == 3);
        }
        state.HideRowIndicators();
        QVERIFY(!Find<QLabel>(w, "LabID1")->isVisible());

        state.SetAutoFieldSelectionVisible(true);
        QVERIFY(Find<QLabel>(w, "LabelAFS")->isVisible());
        state.ShowReceiveIndicator("%");
        QVERIFY(Find<QLabel>(w, "DSpin")->isVisible());
        QCOMPARE(Find<QLabel>(w, "DSpin")->text(), QStringLiteral("%"));
        state.HideReceiveIndicator();
        QVERIFY(!Find<QLabel>(w, "DSpin")->isVisible());

        state.SetAutoClear(true);
        state.SetOverwrite(true);
        state.SetAutoStart(false);
        QVERIFY(Find<QCheckBox>(w, "AClear")->isChecked());
        QVERIFY(Find<QCheckBox>(w, "Overwrite")->isChecked());
        QVERIFY(!Find<QCheckBox>(w, "AutoStart")->isChecked());

        state.SetExclusionNotice(true, " Exclusion Number 18  for insertion.");
        QVERIFY(Find<QLabel>(w, "ExLab")->isVisible());
        QCOMPARE(Find<QLabel>(w, "ExLab")->text(),
                 QStringLiteral(" Exclusion Number 18  for insertion."));
        state.SetExclusionNotice(false, "");
        QVERIFY(!Find<QLabel>(w, "ExLab")->isVisible());

        state.SetPortSettingsCaption("COM1:9600,N,8,1");
        QCOMPARE(Find<QLabel>(w, "lblCurSettings")->text(), QStringLiteral("COM1:9600,N,8,1"));

        auto* showEd = Find<QCheckBox>(w, "ShowEd");
        auto* autoStart = Find<QCheckBox>(w, "AutoStart");
        const int showEdY = showEd->y();
        QVERIFY(autoStart->y() > showEdY);
        state.HideEditorOption();
        QVERIFY(!showEd->isVisible());
        QCOMPARE(autoStart->y(), showEdY);
        auto* exLab = Find<QLabel>(w, "ExLab");
        QCOMPARE(exLab->y(), autoStart->y());
        QVERIFY(exLab->x() > autoStart->geometry().right());

        w.Detach();
        state.SetStatus("after detach");
        QCOMPARE(Find<QLabel>(w, "lblStatusBar")->text(),
                 QString::fromUtf8("Reading Barcode-Label.%\xc3\x91"
                                   "A%"));
    }

    void ClicksAreReportedWithTheNewState() {
        QtMainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy aClear(&w, &QtMainWindow::autoClearClicked);
        QSignalSpy overwrite(&w, &QtMainWindow::overwriteClicked);
        QSignalSpy autoStart(&w, &QtMainWindow::autoStartClicked);
        QTest::mouseClick(Find<QCheckBox>(w, "AClear"), Qt::LeftButton, {}, QPoint(8, 10));
        QTest::mouseClick(Find<QCheckBox>(w, "Overwrite"), Qt::LeftButton, {}, QPoint(8, 10));
        QTest::mouseClick(Find<QCheckBox>(w, "AutoStart"), Qt::LeftButton, {}, QPoint(8, 10));
        QCOMPARE(aClear.count(), 1);
        QCOMPARE(aClear.at(0).at(0).toBool(), true);
        QCOMPARE(overwrite.at(0).at(0).toBool(), true);
        QCOMPARE(autoStart.at(0).at(0).toBool(), false);

        QSignalSpy close(&w, &QtMainWindow::closeRequested);
        w.close();
        QCOMPARE(close.count(), 1);
    }

    void ManualEntryDrivesTheBoxAndButtons() {
        QtMainWindow w;
        WindowState state;
        testing::FakeOperator op;
        QStringList handed;
        bool accept = false;
        ManualEntry entry(state, op, [&](const std::string& label) {
            handed << QString::fromLatin1(label.c_str());
            return accept;
        });
        entry.SetObserver([&] { w.ShowManualEntry(entry.View()); });
        w.Attach(state);
        connect(&w, &QtMainWindow::editClicked, this, [&] { entry.Edit(); });
        connect(&w, &QtMainWindow::okClicked, this,
                [&](const QString& text) { entry.Ok(text.toLatin1().toStdString()); });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();

        auto* box = Find<QLineEdit>(w, "txtEtichetta");
        auto* edit = Find<QPushButton>(w, "cmdEdit");
        auto* ok = Find<QPushButton>(w, "cmdEndEdit");
        QTest::mouseClick(edit, Qt::LeftButton);
        QVERIFY(box->isEnabled());
        QVERIFY(ok->isEnabled());
        QVERIFY(!edit->isEnabled());
        QTRY_VERIFY(box->hasFocus());
        QCOMPARE(Find<QLabel>(w, "lblStatusBar")->text(),
                 QStringLiteral("Type the Barcode-Label."));

        // Enter in the box presses the default button.
        QTest::keyClicks(box, QStringLiteral("ab"));
        box->insert(QString(QChar(0xF1)));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(handed, QStringList{QString::fromUtf8("AB\xc3\x91")});
        QCOMPARE(op.beeps, 1);
        QCOMPARE(box->text(), QString::fromUtf8("AB\xc3\x91"));
        QVERIFY(box->isEnabled());

        accept = true;
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(handed.size(), 2);
        QCOMPARE(box->text(), QString());
        QVERIFY(!box->isEnabled());
        QVERIFY(!ok->isEnabled());
        QVERIFY(edit->isEnabled());

        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(handed.size(), 2);
        QCOMPARE(Find<QLabel>(w, "lblStatusBar")->text(), QStringLiteral("Ready."));
        QTRY_VERIFY(edit->hasFocus());
        w.Detach();
    }
};

QTEST_MAIN(MainWindowTest)
#include "QtMainWindow_test.moc"
