#include "fields/qt/QtMachineFieldDialog.h"

#include "fields/MachineFieldStore.h"

#include "config/Settings.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldForm.h"
#include "support/FakeIniProfile.h"
#include "support/qt/WidgetChecks.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace quillet {
namespace {

const QStringList kSlots = {"SFN", "SFM", "SFS", "SFA", "SFT", "SFR", "BFN", "BFM", "FFN", "FFM",
                            "BFS", "BFA", "BFT", "BFR", "FFS", "FFA", "FFT", "FFR", "DFN"};
using namespace field_form;

const QColor kGrey(kFieldGrey.red, kFieldGrey.green, kFieldGrey.blue);

// The check boxes the form puts on the tab, by name.
QStringList ChecksNamed(int tab) {
    QStringList names;
    for (const FieldSlot slot : ChecksOn(tab)) {
        names << QString::fromLatin1(SlotName(slot)) + "cb";
    }
    return names;
}
const QStringList kStandardChecks = ChecksNamed(kStandardFields);
const QStringList kFrontBackChecks = ChecksNamed(kFrontAndBack);

// The dialog over a fake profile, as the main window creates it at start-up.
struct Rig {
    testing::FakeIniProfile ini;
    MachineFieldModel model;
    AutoSelEditor editor{model};
    LastProgram last;
    std::unique_ptr<QtMachineFieldDialog> dialog;

    void Set(const char* key, const char* value) { ini.Set(kSection, key, value); }
    void Create() {
        LoadMachineFields(ini, editor);
        dialog = std::make_unique<QtMachineFieldDialog>(editor, ini, last);
    }
    bool Show() {
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }
    template <typename T> T* Get(const QString& name) const {
        T* widget = dialog->findChild<T*>(name);
        if (widget == nullptr) {
            qFatal("no widget %s", qPrintable(name));
        }
        return widget;
    }
    QLineEdit* Box(const QString& name) const { return Get<QLineEdit>(name); }
    QCheckBox* Check(const QString& name) const { return Get<QCheckBox>(name); }
    QRadioButton* Option(const char* name) const { return Get<QRadioButton>(name); }
    QPushButton* Button(const char* name) const { return Get<QPushButton>(name); }
    QTabWidget* Tabs() const { return Get<QTabWidget>("SSTab"); }
    QScrollBar* Scroll() const { return Get<QScrollBar>("PosScroll"); }
    QString Text(const char* label) const { return Get<QLabel>(label)->text(); }
    bool Visible(const char* label) const { return Get<QLabel>(label)->isVisible(); }

    QStringList Checked() const {
        QStringList names;
        for (const QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
            if (box->isChecked()) {
                names << box->objectName();
            }
        }
        names.sort();
        return names;
    }
    void Type(const char* box, const QString& text) const {
        QLineEdit* edit = Box(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // A mouse click on an option: the press, then the release that clicks.
    void Click(const char* option) const { testing::ClickCaption(Option(option)); }
    void ScrollRight(int steps) const {
        QScrollBar* bar = Scroll();
        for (int i = 0; i < steps; ++i) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
        }
    }
};

QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

} // namespace

class MachineFieldDialogTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndInitialState() {
        Rig rig;
        rig.Create();
        QVERIFY(!rig.dialog->isVisible());
        QCOMPARE(rig.dialog->objectName(), QStringLiteral("MacFlds"));
        QCOMPARE(rig.dialog->windowTitle(), QString::fromLatin1(field_text::kMachineFieldTitle));
        QVERIFY(rig.dialog->isModal());
        QCOMPARE(rig.Tabs()->count(), kTabCount);
        for (int i = 0; i < kTabCount; ++i) {
            QCOMPARE(rig.Tabs()->tabText(i), QString::fromLatin1(TabAt(i).caption));
        }
        const struct {
            const char* name;
            const char* caption;
            const char* tip;
        } buttons[] = {{"BtnSA", field_text::kSetAll, field_text::kSetAllTip},
                       {"BtnCA", field_text::kClearAll, field_text::kClearAllTip},
                       {"BtnOK", field_text::kOk, field_text::kFieldsOkTip},
                       {"BtnCan", field_text::kCancel, field_text::kFieldsCancelTip}};
        for (const auto& button : buttons) {
            QCOMPARE(rig.Button(button.name)->text(), QString::fromLatin1(button.caption));
            QCOMPARE(rig.Button(button.name)->toolTip(), QString::fromLatin1(button.tip));
        }
        const struct {
            const char* name;
            const char* caption;
            bool checked;
        } options[] = {{"MPName", field_text::kTargetProgramName, false},
                       {"MCmt", field_text::kTargetComment, false},
                       {"MBC", field_text::kTargetBarcode, true},
                       {"MSel", field_text::kProduceMirror, true},
                       {"NMSel", field_text::kProduceBoth, false},
                       {"OptAlnL", "", true},
                       {"OptAlnR", "", false}};
        for (const auto& option : options) {
            QCOMPARE(rig.Option(option.name)->text(), QString::fromLatin1(option.caption));
            QCOMPARE(rig.Option(option.name)->isChecked(), option.checked);
        }
        const auto* frame = rig.Get<QGroupBox>("FrameTSet");
        QCOMPARE(frame->title(), QString::fromLatin1(field_text::kTriggerFrame));
        QVERIFY(!frame->isEnabled());
        QCOMPARE(rig.Box("MSpec")->text(), QString());
        QCOMPARE(rig.Scroll()->minimum(), 1);
        QCOMPARE(rig.Scroll()->maximum(), 25);
        QCOMPARE(rig.Scroll()->value(), 1);
        QCOMPARE(rig.Text("LabDispStr"), QString(24, QLatin1Char('?')));
        QCOMPARE(rig.Get<QLabel>("LabDispStr")->font().pointSizeF(), kPreviewPointSize);
        QCOMPARE(rig.Text("PosDispLeft"), QString());
        QCOMPARE(rig.Text("PosDispRight"), QString());

        for (const QString& slot : kSlots) {
            QCOMPARE(rig.Box(slot)->text(), QString());
            QCOMPARE(rig.Box(slot)->palette().color(QPalette::Base), kGrey);
            const bool hasCheck = slot != "SFN" && slot != "SFM" && slot != "DFN";
            const auto* check = rig.dialog->findChild<QCheckBox*>(slot + "cb");
            QCOMPARE(check != nullptr, hasCheck);
            if (check != nullptr) {
                QCOMPARE(check->checkState(), Qt::Unchecked);
                QCOMPARE(check->text(), QString());
                QCOMPARE(check->palette().color(QPalette::Window), kGrey);
            }
        }
        for (const char* limit : {"HlfLimX", "HlfLimY"}) {
            QCOMPARE(rig.Box(limit)->palette().color(QPalette::Base), kGrey);
        }

        QVERIFY(rig.Show());
        QCOMPARE(rig.Tabs()->currentIndex(), int(kAutoFieldSelect));
        QVERIFY(!rig.Button("BtnSA")->isVisible());
        QVERIFY(!rig.Button("BtnCA")->isVisible());
        QVERIFY(rig.Button("BtnOK")->isVisible());
        QVERIFY(rig.Button("BtnCan")->isVisible());
        QVERIFY(rig.Button("BtnOK")->x() < rig.Button("BtnCan")->x());
        QVERIFY(rig.Button("BtnSA")->x() < rig.Button("BtnCA")->x());
        QVERIFY(rig.Button("BtnCA")->x() < rig.Button("BtnOK")->x());
        QVERIFY(rig.dialog->width() >= 441);
        QVERIFY(rig.dialog->height() >= 376);
    }

    void noCaptionClippedOnAnyTab() {
        Rig rig;
        rig.Set("AutoSelSetting", "2");
        rig.Create();
        QVERIFY(rig.Show());
        for (int tab = 0; tab < kTabCount; ++tab) {
            rig.Tabs()->setCurrentIndex(tab);
            QCOMPARE(testing::ClippedWidgets(*rig.dialog).join(","), QString());
            QCOMPARE(rig.Tabs()->currentWidget()->minimumSizeHint().boundedTo(
                         rig.Tabs()->currentWidget()->size()),
                     rig.Tabs()->currentWidget()->minimumSizeHint());
        }
    }

    // Grey as drawn, not only as set, and apart from the text box beside each.
    void checkBoxesAreDrawnGreyBesideTheirBoxes() {
        Rig rig;
        rig.Create();
        QVERIFY(rig.Show());
        for (int tab : {kStandardFields, kFrontAndBack}) {
            rig.Tabs()->setCurrentIndex(tab);
            for (const QString& name : ChecksNamed(tab)) {
                QCheckBox* check = rig.Check(name);
                QCOMPARE(check->grab().toImage().pixelColor(1, 1), kGrey);
                const QRect box = rig.Box(name.chopped(2))->geometry();
                QVERIFY2(!check->geometry().adjusted(-2, 0, 2, 0).intersects(box),
                         qPrintable(name));
            }
        }
    }

    void twelvePointFontShowsWholeTabCaptions() {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSize(12);
        QApplication::setFont(large);
        Rig rig;
        rig.Create();
        const bool shown = rig.Show();
        QApplication::setFont(before);
        QVERIFY(shown);
        const QTabBar* bar = rig.Tabs()->tabBar();
        QVERIFY(bar->tabRect(bar->count() - 1).right() < bar->width());
        QCOMPARE(testing::ClippedWidgets(*rig.dialog).join(","), QString());
    }

    void focusStartsOnTheTabsEveryTime() {
        Rig rig;
        rig.Create();
        QVERIFY(rig.Show());
        QCOMPARE(QApplication::focusWidget(), rig.Tabs()->tabBar());
        QStringList chain = testing::FocusChain(rig.Tabs(), 200);
        chain.removeAll(QString());
        QCOMPARE(chain.first(), QStringLiteral("SSTab"));
        QCOMPARE(chain.mid(chain.size() - 4), (QStringList{"BtnSA", "BtnCA", "BtnCan", "BtnOK"}));
        QVERIFY(chain.indexOf("MPName") < chain.indexOf("SFN"));
        QVERIFY(chain.indexOf("SFN") < chain.indexOf("BFN"));
        QVERIFY(chain.indexOf("BFN") < chain.indexOf("HlfLimX"));

        // Hidden by Cancel and shown again: same tab, focus back on the tabs.
        rig.Tabs()->setCurrentIndex(kFrontAndBack);
        rig.Box("BFN")->setFocus();
        rig.Button("BtnCan")->click();
        QVERIFY(!rig.dialog->isVisible());
        QVERIFY(rig.Show());
        QCOMPARE(rig.Tabs()->currentIndex(), int(kFrontAndBack));
        QCOMPARE(QApplication::focusWidget(), rig.Tabs()->tabBar());
    }

    void setAllAndClearAllPerTab_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("buttonsShown");
        QTest::addColumn<QStringList>("setAll");
        QTest::addColumn<QStringList>("clearAll");
        const QStringList all = Sorted(kStandardChecks + kFrontBackChecks);
        QTest::newRow("auto field select")
            << int(kAutoFieldSelect) << false << QStringList{} << all;
        QTest::newRow("standard fields")
            << int(kStandardFields) << true << Sorted(kStandardChecks) << Sorted(kFrontBackChecks);
        QTest::newRow("front and back")
            << int(kFrontAndBack) << true << Sorted(kFrontBackChecks) << Sorted(kStandardChecks);
        QTest::newRow("field limits") << int(kFieldLimits) << false << QStringList{} << all;
    }

    void setAllAndClearAllPerTab() {
        QFETCH(int, tab);
        QFETCH(bool, buttonsShown);
        QFETCH(QStringList, setAll);
        QFETCH(QStringList, clearAll);
        {
            Rig rig;
            rig.Create();
            QVERIFY(rig.Show());
            rig.Tabs()->setCurrentIndex(tab);
            QCOMPARE(rig.Button("BtnSA")->isVisible(), buttonsShown);
            QCOMPARE(rig.Button("BtnCA")->isVisible(), buttonsShown);
            rig.Button("BtnSA")->click();
            QCOMPARE(rig.Checked(), setAll);
            for (const QString& name : setAll) {
                QCOMPARE(rig.model.Flag(*SlotFromName(name.left(3).toStdString())), 1);
            }
        }
        Rig rig;
        for (const QString& name : kStandardChecks + kFrontBackChecks) {
            const QByteArray key = "FieldFlag_" + name.left(3).toLatin1();
            rig.Set(key.constData(), "1");
        }
        rig.Set("FieldCode_SFS", "S1");
        rig.Create();
        QVERIFY(rig.Show());
        rig.Tabs()->setCurrentIndex(tab);
        rig.Button("BtnCA")->click();
        QCOMPARE(rig.Checked(), clearAll);
        QCOMPARE(rig.Box("SFS")->text(), QStringLiteral("S1"));
        QVERIFY(rig.ini.writes.empty());
    }

    void okWritesEveryKeyInOrder() {
        Rig rig;
        rig.Set("FieldCode_FFS", "ABCDEFG");
        rig.Set("AutoSelSetting", "1");
        rig.Set("PNameMSel", "1");
        rig.Create();
        QVERIFY(rig.Show());
        rig.Type("SFN", "n");
        rig.Tabs()->setCurrentIndex(kStandardFields);
        testing::ClickCaption(rig.Check("SFScb"));
        rig.Type("HlfLimX", "1250.5");
        rig.Type("MSpec", "ab");
        QVERIFY(rig.ini.writes.empty());

        QTest::mouseClick(rig.Button("BtnOK"), Qt::LeftButton);
        QVERIFY(!rig.dialog->isVisible());
        QCOMPARE(rig.dialog->result(), int(QDialog::Accepted));

        QStringList expected;
        for (const QString& slot : kSlots) {
            expected << "FieldCode_" + slot << "FieldFlag_" + slot;
        }
        expected << "HalfLimitX"
                 << "HalfLimitY"
                 << "AutoSelSetting";
        for (const char* slot : {"PNameMirror", "PNameNandM", "CommentMirror", "CommentNandM"}) {
            for (const char* part : {"LR", "CPos", "Text"}) {
                expected << QString::fromLatin1(slot) + QString::fromLatin1(part);
            }
        }
        expected << "PNameMSel"
                 << "CommentMSel";
        QStringList written;
        for (const auto& write : rig.ini.writes) {
            written << QString::fromStdString(write.first);
        }
        QCOMPARE(written, expected);

        const auto value = [&rig](const char* key) {
            return QString::fromStdString(rig.ini.Get(kSection, key));
        };
        QCOMPARE(value("FieldCode_SFN"), QStringLiteral("N"));
        QCOMPARE(rig.Box("SFN")->text(), QStringLiteral("n"));
        QCOMPARE(value("FieldFlag_SFS"), QStringLiteral(" 1"));
        QCOMPARE(value("FieldFlag_SFA"), QStringLiteral(" 0"));
        QCOMPARE(value("FieldFlag_SFN"), QStringLiteral(" 1"));
        QCOMPARE(value("FieldCode_FFS"), QStringLiteral("ABCDEFG"));
        QCOMPARE(value("HalfLimitX"), QStringLiteral("1250.5"));
        QCOMPARE(value("AutoSelSetting"), QStringLiteral("1"));
        QCOMPARE(value("PNameMirrorText"), QStringLiteral("ab"));
        QCOMPARE(value("PNameMirrorLR"), QStringLiteral("0"));
        QCOMPARE(value("PNameMirrorCPos"), QStringLiteral("1"));
    }

    // Cancel, Escape and the window frame's close all hide without storing or restoring.
    void leavingWithoutOkKeepsTheEditsLive_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("cancel") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("window frame") << 2;
    }

    void leavingWithoutOkKeepsTheEditsLive() {
        QFETCH(int, way);
        Rig rig;
        rig.Set("FieldCode_SFS", "S");
        rig.Set("FieldFlag_SFS", "0");
        rig.Create();
        QVERIFY(rig.Show());
        rig.Tabs()->setCurrentIndex(kStandardFields);
        rig.Type("SFS", "x9");
        QCOMPARE(rig.model.Code(FieldSlot::SFS), std::string("x9"));
        testing::ClickCaption(rig.Check("SFScb"));
        QCOMPARE(rig.model.Flag(FieldSlot::SFS), 1);
        rig.Tabs()->setCurrentIndex(kFieldLimits);
        rig.Type("HlfLimY", "300");

        if (way == 0) {
            QTest::mouseClick(rig.Button("BtnCan"), Qt::LeftButton);
        } else if (way == 1) {
            QTest::keyClick(rig.Box("HlfLimY"), Qt::Key_Escape);
        } else {
            QVERIFY(rig.dialog->close());
        }
        QVERIFY(!rig.dialog->isVisible());
        QVERIFY(rig.ini.writes.empty());
        QCOMPARE(rig.model.Code(FieldSlot::SFS), std::string("x9"));
        QCOMPARE(rig.model.Flag(FieldSlot::SFS), 1);
        QCOMPARE(rig.model.HlfLimY, std::string("300"));
        QVERIFY(rig.Show());
        QCOMPARE(rig.Box("SFS")->text(), QStringLiteral("x9"));
        QCOMPARE(rig.Tabs()->currentIndex(), int(kFieldLimits));
    }

    void returnInABoxDoesNotCloseTheDialog() {
        Rig rig;
        rig.Create();
        QVERIFY(rig.Show());
        rig.Tabs()->setCurrentIndex(kStandardFields);
        rig.Type("SFS", "Q");
        QTest::keyClick(rig.Box("SFS"), Qt::Key_Return);
        QVERIFY(rig.dialog->isVisible());
        QCOMPARE(rig.Checked(), QStringList{});
        QVERIFY(rig.ini.writes.empty());
    }

    void typingLimitsKeepLoadedLongCodes() {
        Rig rig;
        rig.Set("FieldCode_SFS", "LONGCODE");
        rig.Create();
        QVERIFY(rig.Show());
        rig.Tabs()->setCurrentIndex(kFrontAndBack);
        rig.Type("BFS", "ABCDEF");
        QCOMPARE(rig.Box("BFS")->text(), QStringLiteral("ABC"));
        rig.Type("FFS", "ABCDEF");
        QCOMPARE(rig.Box("FFS")->text(), QStringLiteral("ABCDE"));
        QCOMPARE(rig.model.Code(FieldSlot::FFS), std::string("ABCDE"));

        rig.Tabs()->setCurrentIndex(kStandardFields);
        QLineEdit* sfs = rig.Box("SFS");
        QCOMPARE(sfs->text(), QStringLiteral("LONGCODE"));
        sfs->setFocus();
        sfs->end(false);
        QTest::keyClick(sfs, Qt::Key_X);
        QCOMPARE(sfs->text(), QStringLiteral("LONGCODE"));
        QTest::keyClick(sfs, Qt::Key_Backspace);
        QCOMPARE(rig.model.Code(FieldSlot::SFS), std::string("LONGCOD"));
    }

    void greyCheckBoxOnlyWhenLoadedAsTwo() {
        Rig rig;
        rig.Set("FieldFlag_BFT", "2");
        rig.Set("FieldFlag_BFR", "1");
        rig.Create();
        QVERIFY(rig.Show());
        rig.Tabs()->setCurrentIndex(kFrontAndBack);
        QCheckBox* grey = rig.Check("BFTcb");
        QCOMPARE(grey->checkState(), Qt::PartiallyChecked);
        QVERIFY(!rig.Check("BFRcb")->isTristate());
        testing::ClickCaption(grey);
        QCOMPARE(rig.model.Flag(FieldSlot::BFT), 1);
        testing::ClickCaption(grey);
        QCOMPARE(rig.model.Flag(FieldSlot::BFT), 0);
        QCOMPARE(grey->checkState(), Qt::Unchecked);
        testing::ClickCaption(grey);
        QCOMPARE(grey->checkState(), Qt::Checked);
    }

    void previewFromTheLeftAndFromTheRight() {
        Rig rig;
        rig.Create();
        QVERIFY(rig.Show());
        rig.Click("MPName");
        QVERIFY(rig.Get<QGroupBox>("FrameTSet")->isEnabled());
        // A slot never stored counts from the right.
        QVERIFY(rig.Option("OptAlnR")->isChecked());
        rig.Click("OptAlnL");
        rig.Type("MSpec", "AB");
        rig.ScrollRight(2);
        QCOMPARE(rig.Scroll()->value(), 3);
        QCOMPARE(rig.Scroll()->maximum(), 11);
        QCOMPARE(rig.Text("LabDispStr"), QStringLiteral("??AB????????"));
        QCOMPARE(rig.Text("PosDispLeft"), QStringLiteral("3 From Left"));
        QCOMPARE(rig.Text("PosDispRight"), QStringLiteral("9 From Right"));
        QVERIFY(rig.Visible("PosDispLeft"));
        QVERIFY(!rig.Visible("PosDispRight"));
        // The interpreter reads the model: the edit counts before any capture or OK.
        QCOMPARE(rig.model.MSpec, std::string("AB"));
        QCOMPARE(rig.model.PosScrollValue, 3);

        rig.Click("OptAlnR");
        QCOMPARE(rig.Text("LabDispStr"), QStringLiteral("??AB????????"));
        QVERIFY(!rig.Visible("PosDispLeft"));
        QVERIFY(rig.Visible("PosDispRight"));
        QVERIFY(!rig.model.OptAlnL);
    }

    void commentAtTheLastPositionIsNotRedrawn() {
        Rig rig;
        rig.Create();
        QVERIFY(rig.Show());
        rig.Click("MCmt");
        rig.ScrollRight(18);
        QCOMPARE(rig.Text("PosDispLeft"), QStringLiteral("19 From Left"));
        const QString before = rig.Text("LabDispStr");
        QCOMPARE(before.size(), 25);
        rig.ScrollRight(10);
        QCOMPARE(rig.Scroll()->maximum(), 26);
        QCOMPARE(rig.Scroll()->value(), 26);
        QCOMPARE(rig.Text("PosDispLeft"), QStringLiteral("25 From Left"));
        QCOMPARE(rig.Text("LabDispStr"), before);
    }

    void switchingTargetLowersThePositionButNotTheSlot() {
        Rig rig;
        rig.Set("AutoSelSetting", "2");
        rig.Set("CommentMSel", "1");
        rig.Set("PNameMSel", "1");
        rig.Set("CommentMirrorLR", "-1");
        rig.Set("CommentMirrorCPos", "20");
        rig.Set("PNameMirrorLR", "-1");
        rig.Set("PNameMirrorCPos", "20");
        rig.Set("PNameMirrorText", "X");
        rig.Create();
        QVERIFY(rig.Show());
        QCOMPARE(rig.Scroll()->value(), 20);
        rig.Click("MPName");
        QCOMPARE(rig.Box("MSpec")->text(), QStringLiteral("X"));
        QCOMPARE(rig.Scroll()->maximum(), 12);
        QCOMPARE(rig.Scroll()->value(), 12);
        QCOMPARE(rig.Text("LabDispStr"), QStringLiteral("???????????X"));
        QCOMPARE(rig.model.autoSel.PNameMirror.Position, 20);
        QCOMPARE(rig.model.autoSel.CommentMirror.Position, 20);
    }

    void pressSavesTheSlotBeingLeftAndClickLoadsTheNext() {
        Rig rig;
        rig.Set("AutoSelSetting", "2");
        rig.Set("CommentMSel", "0");
        rig.Set("CommentNandMText", "Q");
        rig.Set("CommentMirrorText", "ZZ");
        rig.Create();
        QVERIFY(rig.Show());
        QVERIFY(rig.Option("NMSel")->isChecked());
        QCOMPARE(rig.Box("MSpec")->text(), QStringLiteral("Q"));
        rig.Type("MSpec", "QR");

        QRadioButton* mirror = rig.Option("MSel");
        const QPoint caption(4, mirror->height() / 2);
        rig.model.autoSel.CommentMSel = 7;
        QTest::mousePress(mirror, Qt::LeftButton, {}, caption);
        QCOMPARE(rig.model.autoSel.CommentNandM.TriggerText, std::string("QR"));
        QCOMPARE(rig.model.autoSel.CommentMSel, 0);
        QCOMPARE(rig.Box("MSpec")->text(), QStringLiteral("QR"));
        QTest::mouseRelease(mirror, Qt::LeftButton, {}, caption);
        QVERIFY(mirror->isChecked());
        QCOMPARE(rig.Box("MSpec")->text(), QStringLiteral("ZZ"));

        // Back again: the edit made before leaving is shown once more.
        rig.Click("NMSel");
        QCOMPARE(rig.Box("MSpec")->text(), QStringLiteral("QR"));
    }

    void keyboardChangeCapturesTheSlotBeingLeft() {
        Rig rig;
        rig.Set("AutoSelSetting", "1");
        rig.Set("PNameMSel", "1");
        rig.Create();
        QVERIFY(rig.Show());
        rig.Type("MSpec", "K");
        rig.Option("MPName")->setFocus();
        QTest::keyClick(rig.Option("MPName"), Qt::Key_Right);
        QVERIFY(rig.Option("MCmt")->isChecked());
        QVERIFY(rig.model.MCmt());
        QCOMPARE(rig.model.autoSel.PNameMirror.TriggerText, std::string("K"));
        QCOMPARE(rig.Box("MSpec")->text(), QString());
    }

    void barcodeSavesTheSlotAndFreezesThePreview() {
        Rig rig;
        rig.Create();
        QVERIFY(rig.Show());
        rig.Click("MPName");
        rig.Type("MSpec", "7");
        const QString preview = rig.Text("LabDispStr");
        QCOMPARE(preview, QStringLiteral("7???????????"));
        rig.Click("MBC");
        QVERIFY(!rig.Get<QGroupBox>("FrameTSet")->isEnabled());
        QCOMPARE(rig.Text("LabDispStr"), preview);
        QCOMPARE(rig.model.autoSel.PNameMirror.TriggerText, std::string("7"));
    }

    void doubleClickShowsTheLastLabel_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shown");
        QTest::newRow("program name") << "MPName"
                                      << "PART-0042";
        QTest::newRow("comment") << "MCmt"
                                 << "<b>left door</b>";
    }

    void doubleClickShowsTheLastLabel() {
        QFETCH(QString, target);
        QFETCH(QString, shown);
        Rig rig;
        rig.Create();
        QVERIFY(rig.Show());
        rig.last.ProgramName = "PART-0042";
        rig.last.Comment = "<b>left door</b>";
        rig.Click(target.toLatin1().constData());
        QTest::mouseDClick(rig.Get<QLabel>("LabDispStr"), Qt::LeftButton);
        QCOMPARE(rig.Text("LabDispStr"), shown);
        QCOMPARE(rig.Get<QLabel>("LabDispStr")->textFormat(), Qt::PlainText);
        rig.ScrollRight(1);
        QVERIFY(rig.Text("LabDispStr").startsWith(QLatin1Char('?')));
    }
};

} // namespace quillet

QTEST_MAIN(quillet::MachineFieldDialogTest)
#include "QtMachineFieldDialog_test.moc"
