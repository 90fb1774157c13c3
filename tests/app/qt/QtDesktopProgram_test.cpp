#include "app/qt/QtDesktopProgram.h"

#include "app/demo/qt/VirtualScanner.h"
#include "config/qt/CenterForm.h"
#include "support/LockedEntry.h"
#include "support/RecordingTrace.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include <sys/stat.h>

using namespace quillet;

namespace {

// A set-up in a temporary folder, its ZOR.INI holding `section`.
struct Setup {
    explicit Setup(const std::string& section) {
        ::mkdir((dir / "bin").c_str(), 0755);
        ::mkdir((dir / "windows").c_str(), 0755);
        dir.Write("bin/ZOR.INI", "[VORKSTAB]\r\n" + section);
    }

    DesktopProgramSetup Make() const {
        DesktopProgramSetup setup{
            {dir / "bin", dir / "windows"}, PathMap(dir / "drives"), {}, {}, {}, true};
        setup.host.connectTimeoutSeconds = 2;
        setup.devices.SetOverride(dir / "no-such-device");
        return setup;
    }

    testing::TempFolder dir;
};

template <typename W> W* Find(QtDesktopProgram& program, const char* name) {
    auto* found = program.Window().findChild<W*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no control %s", name);
    }
    return found;
}

bool Traced(const testing::RecordingTrace& trace, const std::string& line) {
    return std::find(trace.lines.begin(), trace.lines.end(), line) != trace.lines.end();
}

// Answers the modal windows as they come up, one step each, in order.
class ModalAnswers : public QObject {
public:
    explicit ModalAnswers(std::deque<std::function<void(QWidget&)>> steps)
        : steps_(std::move(steps)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal->isVisible() && !steps_.empty()) {
                const auto step = steps_.front();
                steps_.pop_front();
                step(*modal);
            }
        });
        timer_.start(20);
    }
    bool Done() const { return steps_.empty(); }

private:
    std::deque<std::function<void(QWidget&)>> steps_;
    QTimer timer_;
};

} // namespace

class DesktopProgramTest : public QObject {
    Q_OBJECT

private slots:
    void StartUpSetsTheWindowFromTheSettings() {
        Setup setup("Overwrite=0\r\nExclusion=00100100\r\nCommPollTime=250\r\n");
        testing::RecordingTrace trace;
        QtDesktopProgram program(setup.Make(), trace);
        QVERIFY(program.Start());
        QVERIFY(program.Window().isVisible());

        QVERIFY(!Find<QCheckBox>(program, "Overwrite")->isChecked());
        QVERIFY(Find<QCheckBox>(program, "AClear")->isChecked());
        QVERIFY(Find<QCheckBox>(program, "AutoStart")->isChecked());
        QVERIFY(!Find<QCheckBox>(program, "ShowEd")->isVisible());
        QCOMPARE(Find<QCheckBox>(program, "AutoStart")->y(),
                 Find<QCheckBox>(program, "ShowEd")->y());
        auto* exLab = Find<QLabel>(program, "ExLab");
        QVERIFY(exLab->isVisible());
        QCOMPARE(exLab->text(), QStringLiteral(" Exclusion Number 36  for insertion."));
        QVERIFY(program.Window().PollTimer().isActive());
        QCOMPARE(program.Window().PollTimer().interval(), 250);
        const QRect screen = program.Window().screen()->geometry();
        QCOMPARE(program.Window().pos(),
                 screen.topLeft() + CenteredPosition(screen.size(), program.Window().size()));

        // The port could not be opened: reported, no dialog unattended, no port named.
        const std::string message = "message critical|Quillet|Unexpected error #";
        QVERIFY(std::any_of(trace.lines.begin(), trace.lines.end(), [&](const std::string& l) {
            return l.rfind(message, 0) == 0 && l.find("no-such-device") != std::string::npos;
        }));
        QVERIFY(Traced(trace, "dialog Settings not opened"));
        QCOMPARE(Find<QLabel>(program, "lblCurSettings")->text(), QStringLiteral("COM1: lost"));
        QVERIFY(!program.Port().IsOpen());
    }

    void ClicksAreWrittenAsBlankAndDigit() {
        Setup setup("");
        testing::RecordingTrace trace;
        QtDesktopProgram program(setup.Make(), trace);
        QVERIFY(program.Start());
        Find<QCheckBox>(program, "AClear")->click();
        Find<QCheckBox>(program, "Overwrite")->click();
        Find<QCheckBox>(program, "Overwrite")->click();
        QCOMPARE(setup.dir.Read("bin/ZOR.INI"),
                 std::string("[VORKSTAB]\r\nAutoClear= 0\r\nOverwrite= 1\r\n"));
    }

    void ManualEntryThroughTheWidgets() {
        Setup setup("");
        testing::RecordingTrace trace;
        QtDesktopProgram program(setup.Make(), trace);
        QVERIFY(program.Start());
        auto* edit = Find<QPushButton>(program, "cmdEdit");
        auto* box = Find<QLineEdit>(program, "txtEtichetta");
        auto* ok = Find<QPushButton>(program, "cmdEndEdit");
        auto* status = Find<QLabel>(program, "lblStatusBar");

        edit->click();
        QVERIFY(box->isEnabled());
        QVERIFY(ok->isEnabled());
        QVERIFY(!edit->isEnabled());
        QCOMPARE(status->text(), QStringLiteral("Type the Barcode-Label."));

        // Waiting for a second row: refused, the text stays for correction.
        QTest::keyClicks(box, QStringLiteral("%12prog n"));
        ok->click();
        QCOMPARE(box->text(), QStringLiteral("%12PROG N"));
        QVERIFY(box->isEnabled());
        QVERIFY(ok->isEnabled());

        box->clear();
        QTest::keyClicks(box, QStringLiteral("%stop%"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(Traced(trace, "host Stop"));
        QCOMPARE(box->text(), QString());
        QVERIFY(!box->isEnabled());
        QVERIFY(!ok->isEnabled());
        QVERIFY(edit->isEnabled());

        edit->click();
        ok->click();
        QCOMPARE(status->text(), QStringLiteral("Ready."));
        QVERIFY(edit->isEnabled());
        QVERIFY(!box->isEnabled());
    }

    // View, Today's Labels: the window shows each label as it ends; a label tried in its
    // box reaches neither the host nor the rows, and the rows copy as text.
    void LabelsWindowShowsTheDayAndTriesLabels() {
        Setup setup("");
        testing::RecordingTrace trace;
        DiskJournalFolder folder(setup.dir / "journal");
        SystemClock clock;
        Journal journal(trace, folder, clock);
        DesktopProgramSetup made = setup.Make();
        made.journal = &journal;
        QtDesktopProgram program(made, journal);
        QVERIFY(program.Start());
        // Unattended the menu opens nothing (the session's test has it attended).
        program.Window().findChild<QAction*>(QStringLiteral("mnuLabels"))->trigger();
        QVERIFY(Traced(trace, "dialog Today's Labels not opened"));
        QtLabelsWindow& labels = program.LabelsWindow();
        labels.show();
        auto* table = labels.findChild<QTableView*>(QStringLiteral("grdLabels"));
        auto* box = labels.findChild<QLineEdit*>(QStringLiteral("txtTry"));
        auto* tryButton = labels.findChild<QPushButton*>(QStringLiteral("cmdTry"));
        auto* tried = labels.findChild<QPlainTextEdit*>(QStringLiteral("txtTried"));
        QVERIFY(table && box && tryButton && tried && labels.findChild<QCheckBox*>());

        program.App().Manual().Edit();
        program.App().Manual().Ok("%STOP%");
        QTRY_COMPARE(table->model()->rowCount(), 1);
        const QModelIndex label = table->model()->index(0, 1);
        QCOMPARE(label.data().toString(), QStringLiteral("%STOP%"));
        QCOMPARE(label.data(Qt::ToolTipRole).toString(), QStringLiteral("%STOP%"));

        const std::size_t hostLines =
            std::count_if(trace.lines.begin(), trace.lines.end(),
                          [](const std::string& line) { return line.starts_with("host "); });
        QTest::keyClicks(box, QStringLiteral("%START%"));
        tryButton->click();
        QVERIFY(tried->toPlainText().contains(QStringLiteral("  host Start")));
        QCOMPARE(static_cast<std::size_t>(std::count_if(
                     trace.lines.begin(), trace.lines.end(),
                     [](const std::string& line) { return line.starts_with("host "); })),
                 hostLines);
        QTest::qWait(10);
        QCOMPARE(table->model()->rowCount(), 1);

        table->selectRow(0);
        QVERIFY(labels.SelectedText().find("\t%STOP%\tcommand\tStop\tdone\t") != std::string::npos);
        // A label arriving on top leaves the selected one selected.
        program.App().Manual().Edit();
        program.App().Manual().Ok("%START%");
        QTRY_COMPARE(table->model()->rowCount(), 2);
        QCOMPARE(table->model()->index(0, 1).data().toString(), QStringLiteral("%START%"));
        const QModelIndexList selected = table->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.front().row(), 1);
        program.Close();
    }

    void PortOpensOnTheVirtualScannerAndShowsItsSettings() {
        Setup setup("CommPort=2\r\nSettings=19200,N,8,1\r\n");
        testing::RecordingTrace trace;
        VirtualScanner scanner;
        QCOMPARE(scanner.Open(), std::string());
        QtDesktopProgram program(setup.Make(), trace);
        program.UseScannerDevice(scanner.PortPath());
        QVERIFY(program.Start());
        QVERIFY(program.Port().IsOpen());
        QCOMPARE(Find<QLabel>(program, "lblCurSettings")->text(),
                 QStringLiteral("COM2:19200,N,8,1"));
    }

    // The host's list window appears with the first label; the operator keeps typing.
    void HostListLeavesTheFocusInTheEntryBox() {
        Setup setup("");
        testing::RecordingTrace trace;
        QtDesktopProgram program(setup.Make(), trace);
        QVERIFY(program.Start());
        program.Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&program.Window()));
        Find<QPushButton>(program, "cmdEdit")->click();
        auto* box = Find<QLineEdit>(program, "txtEtichetta");
        QTest::keyClicks(box, QStringLiteral("%12prog n"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(Traced(trace, "host Visible true"));
        QVERIFY(QTest::qWaitForWindowExposed(program.HostWindow()));
        // The offscreen platform activates whatever is shown; a window system asked not
        // to activate the list leaves the main window active.
        QVERIFY(program.HostWindow()->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(program.Window().focusWidget(), box);
    }

    // COM1 works, COM2 is missing: after choosing Com2 and cancelling the offered dialog
    // no port is open, and the caption names none.
    void FailedPortChangeLeavesNoPortNamed() {
        Setup setup("");
        DesktopProgramSetup attended = setup.Make();
        attended.unattended = false;
        testing::RecordingTrace trace;
        VirtualScanner scanner;
        QCOMPARE(scanner.Open(), std::string());
        QtDesktopProgram program(attended, trace);
        program.UseScannerDevice(scanner.PortPath());
        QVERIFY(program.Start());
        auto* caption = Find<QLabel>(program, "lblCurSettings");
        QCOMPARE(caption->text(), QStringLiteral("COM1:9600,N,8,1"));
        SerialDeviceMap devices;
        QVERIFY(devices.AddMapping("1=" + scanner.PortPath()));
        QVERIFY(devices.AddMapping("2=" + setup.dir / "no-such-device"));
        program.Scanner().SetDevices(devices);

        ModalAnswers answers(
            {[](QWidget& settings) {
                 settings.findChild<QRadioButton*>(QStringLiteral("optCom2"))->click();
                 qobject_cast<QDialog*>(&settings)->accept();
             },
             [](QWidget& error) { QTest::keyClick(&error, Qt::Key_Escape); },
             [](QWidget& settings) { qobject_cast<QDialog*>(&settings)->reject(); }});
        program.Window().findChild<QAction*>(QStringLiteral("mnuSetttings"))->trigger();
        QVERIFY(answers.Done());
        QVERIFY(!program.Port().IsOpen());
        QCOMPARE(caption->text(), QStringLiteral("COM2: lost"));
    }

    // Nobody at the screen: no dialog opens, and the trace says so.
    void UnattendedOpensNoDialog() {
        Setup setup("");
        testing::RecordingTrace trace;
        QtDesktopProgram program(setup.Make(), trace);
        QVERIFY(program.Start());
        QTimer::singleShot(2000, &program, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        for (const char* menu : {"mnuSetttings", "MnuAutoFld", "ExIns", "mnuAbout"}) {
            program.Window().findChild<QAction*>(QString::fromLatin1(menu))->trigger();
        }
        for (const char* title : {"Settings", "Automatic Field Selection Setup",
                                  "Exclusion Insertion", "About Quillet"}) {
            QVERIFY2(Traced(trace, "dialog " + std::string(title) + " not opened"), title);
        }
    }

    void SecondCopyIsRefused() {
        Setup setup("");
        testing::RecordingTrace firstTrace;
        QtDesktopProgram first(setup.Make(), firstTrace);
        QVERIFY(first.Start());
        testing::RecordingTrace trace;
        QtDesktopProgram second(setup.Make(), trace);
        QVERIFY(!second.Start());
        QCOMPARE(second.ExitStatus(), std::optional<int>(QtDesktopProgram::kExitAlreadyRunning));
        QCOMPARE(trace.lines, std::vector<std::string>{
                                  "message exclamation|Quillet|the Program is already running!"});
        QVERIFY(first.Window().isVisible());
    }

    void MissingSettingsEndTheProgram() {
        Setup setup("");
        setup.dir.Write("bin/ZOR.INI", "");
        ::unlink((setup.dir / "bin/ZOR.INI").c_str());
        testing::RecordingTrace trace;
        QtDesktopProgram program(setup.Make(), trace);
        QVERIFY(!program.Start());
        QCOMPARE(program.ExitStatus(), std::optional<int>(1));
        QVERIFY(Traced(trace, "message critical|Quillet|File ZOR.INI Not Found"));
        QVERIFY(!program.Window().isVisible());
    }

    // ZOR.INI in a folder that takes no new file: the option boxes and the three dialogs'
    // OK still store their change; once the file itself is locked each change is told.
    void SettingsChangesInAFolderTakingNoNewFile() {
        Setup setup("Settings=4800,N,8,1\r\n");
        DesktopProgramSetup attended = setup.Make();
        attended.unattended = false;
        testing::RecordingTrace trace;
        VirtualScanner scanner;
        QCOMPARE(scanner.Open(), std::string());
        QtDesktopProgram program(attended, trace);
        program.UseScannerDevice(scanner.PortPath());
        QVERIFY(program.Start());
        using Step = std::function<void(QWidget&)>;
        // OK clicked from the event loop, so that a box it brings up is answered in turn.
        const auto ok = [](const char* button) -> Step {
            return [button](QWidget& dialog) {
                QTimer::singleShot(0, dialog.findChild<QPushButton*>(QString::fromLatin1(button)),
                                   &QPushButton::click);
            };
        };
        const struct {
            const char* action; // none: the option box
            Step answer;
        } changes[] = {
            {nullptr, nullptr},
            {"mnuSetttings",
             [ok](QWidget& settings) {
                 settings.findChild<QRadioButton*>(QStringLiteral("optCom3"))->click();
                 ok("cmdOK")(settings);
             }},
            {"ExIns",
             [ok](QWidget& flags) {
                 flags.findChild<QCheckBox*>(QStringLiteral("ExCk3"))->setChecked(true);
                 ok("BtnOK")(flags);
             }},
            {"MnuAutoFld", ok("BtnOK")},
        };
        const auto change = [&](const auto& c, bool told) {
            std::deque<Step> steps;
            if (c.answer) {
                steps.push_back(c.answer);
            }
            if (told) {
                steps.push_back([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
            }
            ModalAnswers answers(steps);
            if (c.action == nullptr) {
                Find<QCheckBox>(program, "Overwrite")->click();
            } else {
                program.Window().findChild<QAction*>(QString::fromLatin1(c.action))->trigger();
            }
            QTRY_VERIFY(answers.Done());
        };
        {
            const testing::LockedEntry folder(setup.dir / "bin");
            if (!folder.locked) {
                QSKIP("this file system cannot lock a folder");
            }
            for (const auto& c : changes) {
                change(c, false);
            }
        }
        const std::string stored = setup.dir.Read("bin/ZOR.INI");
        for (const char* line : {"Overwrite= 0\r\n", "CommPort=3\r\n", "Settings=4800,N,8,1\r\n",
                                 "Exclusion=00100000\r\n", "HalfLimitX="}) {
            QVERIFY2(stored.find(line) != std::string::npos, line);
        }

        const std::string ini = setup.dir / "bin/ZOR.INI";
        const testing::LockedEntry file(ini);
        const testing::LockedEntry folder(setup.dir / "bin");
        const std::string told =
            "message exclamation|Quillet|The settings could not be saved in " + ini + ": " +
            (::geteuid() == 0 ? "Operation not permitted." : "Permission denied.");
        for (const auto& c : changes) {
            trace.lines.clear();
            change(c, true);
            QCOMPARE(std::count(trace.lines.begin(), trace.lines.end(), told), 1);
        }
    }

    // "E&xit" ends the program as closing the window does: port closed, host released.
    void ExitReleasesThePortAndTheHost() {
        Setup setup("");
        testing::RecordingTrace trace;
        VirtualScanner scanner;
        QCOMPARE(scanner.Open(), std::string());
        QtDesktopProgram program(setup.Make(), trace);
        program.UseScannerDevice(scanner.PortPath());
        QVERIFY(program.Start());
        QVERIFY(program.Port().IsOpen());
        program.Window().findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
        QVERIFY(program.Closed());
        QVERIFY(!program.Port().IsOpen());
        QVERIFY(program.App().Host().HostApp() == nullptr);
        QVERIFY(program.App().Host().HostList() == nullptr);
        QVERIFY(!program.Window().PollTimer().isActive());
        QVERIFY(!program.Window().isVisible());
    }
};

QTEST_MAIN(DesktopProgramTest)
#include "QtDesktopProgram_test.moc"
