#include "host/qt/HostListWindow.h"

#include "support/RecordingTrace.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using namespace quillet;

class HostListWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsEveryEntryWithItsFieldsOnceVisible() {
        testing::RecordingTrace trace;
        SimulatedHost host(trace, {});
        HostListWindow window(host);
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("HostEntries"));
        auto* state = window.findChild<QLabel*>(QStringLiteral("HostState"));
        QVERIFY(table != nullptr && state != nullptr);
        QStringList headers;
        for (int c = 0; c < table->columnCount(); ++c) {
            headers << table->horizontalHeaderItem(c)->text();
        }
        QCOMPARE(headers, (QStringList{"161", "164", "171", "284", "280", "165", "168", "169",
                                       "170", "282", "283", "Field string"}));
        QCOMPARE(state->text(), QStringLiteral("State: Idle"));
        QVERIFY(!window.isVisible());

        host.Attach(true);
        auto list = host.GetExeList();
        QVERIFY(list != nullptr);
        list->SetVisible(true);
        QVERIFY(window.isVisible());
        const std::string entry =
            "#161=PI\xd1"
            "A.CNC;#164=1;#171=1;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;"
            "#282=;#283=;";
        list->AddLine(entry);
        host.Start();
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("PI\u00d1A.CNC"));
        QCOMPARE(table->item(0, 6)->text(), QStringLiteral("800"));
        QCOMPARE(table->item(0, 11)->text().size(), static_cast<qsizetype>(entry.size()));
        QCOMPARE(state->text(), QStringLiteral("State: Started"));

        list->ClearList();
        host.End();
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(state->text(), QStringLiteral("State: Ended"));
    }

    void AChangeTouchesOnlyTheRowsItAddsAndColumnsFitThem() {
        testing::RecordingTrace trace;
        SimulatedHost host(trace, {});
        HostListWindow window(host);
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("HostEntries"));
        host.Attach(true);
        auto list = host.GetExeList();
        list->AddLine("#161=A.CNC;");
        QTableWidgetItem* first = table->item(0, 0);
        const int narrow = table->columnWidth(0);
        const std::string wide(60, 'W');
        list->AddLine("#161=" + wide + ";");
        host.Start();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0), first);
        QVERIFY(table->columnWidth(0) > narrow);
        QVERIFY(table->columnWidth(0) >=
                table->fontMetrics().horizontalAdvance(QString::fromStdString(wide)));

        list->ClearList();
        list->AddLine("#161=A.CNC;");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("A.CNC"));
        QCOMPARE(table->columnWidth(0), narrow);
    }

    void DetachedWindowNoLongerFollowsTheHost() {
        testing::RecordingTrace trace;
        SimulatedHost host(trace, {});
        { HostListWindow window(host); }
        host.Attach(true);
        host.GetExeList()->SetVisible(true);
        host.Start();
        QCOMPARE(host.State(), SimulatedHost::RunState::Started);
    }
};

QTEST_MAIN(HostListWindowTest)
#include "HostListWindow_test.moc"
