// The settings dialog as designed: window, positions inside each container, captions,
// colours, fonts, stacking and tab order.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "config/customization.h"
#include "platform/fonts.h"
#include "support/headless.h"
#include "ui/fsettei.h"

namespace {

struct Control {
    QWidget* widget;
    QString caption;
};

std::map<QString, Control> Controls(Fsettei& d) {
    return {
        {"FCancel", {d.FCancel, d.FCancel->text()}},
        {"Option3(1)", {d.Option3[1], d.Option3[1]->text()}},
        {"Option3(0)", {d.Option3[0], d.Option3[0]->text()}},
        {"Check1", {d.Check1, d.Check1->text()}},
        {"Text1", {d.Text1, d.Text1->text()}},
        {"Text2", {d.Text2, d.Text2->text()}},
        {"Owaru", {d.Owaru, d.Owaru->text()}},
        {"Frame2", {d.Frame2, d.Frame2->title()}},
        {"Frame1", {d.Frame1, d.Frame1->title()}},
        {"Frame3", {d.Frame3, d.Frame3->title()}},
        {"Label2(0)", {d.Label2[0], d.Label2[0]->text()}},
        {"Label1(0)", {d.Label1[0], d.Label1[0]->text()}},
        {"Label3", {d.Label3, d.Label3->text()}},
        {"Label4", {d.Label4, d.Label4->text()}},
    };
}

}  // namespace

class SettingsLayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void windowIsFixedWithTitleAndIcon() {
        Headless h;
        Fsettei& d = Vexo::TheSettingsDialog();
        QCOMPARE(d.size(), QSize(313, 351));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QCOMPARE(d.windowTitle(), QStringLiteral("けるびらのせってい"));
        QCOMPARE(d.windowIcon().availableSizes().value(0), QSize(32, 32));
        QCOMPARE(d.palette().color(QPalette::Window), QColor(192, 192, 192));
        QVERIFY(d.parentWidget() == nullptr);  // no owner
        QCOMPARE(&d, Vexo::SettingsDialog);
    }

    void controlsStandWhereDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<bool>("bold");
        const QColor grey(192, 192, 192), yellow(255, 255, 0), cyan(0, 255, 255), green(0, 255, 0);
        auto row = [&](const char* name, const char* container, QRect at, const QString& caption,
                       QColor back, bool bold) {
            QTest::newRow(name) << name << container << at << caption << back << bold;
        };
        row("FCancel", "dialog", {8, 296, 96, 46}, QStringLiteral("キャンセル"), grey, true);
        row("Option3(1)", "dialog", {16, 252, 280, 18},
            QStringLiteral("えきおんセンサー（\uFF5E１００）"), yellow, false);
        row("Option3(0)", "dialog", {16, 198, 272, 54},
            QStringLiteral("きおんセンサー  （\uFF5E５０）"), yellow, false);
        row("Check1", "dialog", {16, 16, 289, 41}, QStringLiteral("じどうでつける"), cyan, true);
        row("Text1", "dialog", {224, 80, 64, 35}, QStringLiteral("Text1"), green, false);
        row("Text2", "dialog", {224, 128, 64, 34}, QStringLiteral("Text2"), green, false);
        row("Owaru", "dialog", {144, 296, 160, 46}, QStringLiteral("せっていをおわる"), grey, true);
        row("Frame2", "dialog", {0, 180, 312, 108}, QStringLiteral("センサーのしゅるい"), yellow,
            false);
        row("Frame1", "dialog", {0, 0, 312, 180}, QStringLiteral("ひょうじのせってい"), cyan,
            false);
        row("Frame3", "Frame1", {8, 64, 297, 105}, QStringLiteral("こてい ひょうじ"), yellow,
            false);
        row("Label2(0)", "Frame3", {8, 64, 177, 26}, QStringLiteral("けるびらのさいていち"), yellow,
            false);
        row("Label1(0)", "Frame3", {8, 24, 200, 26}, QStringLiteral("けるびらのさいこうち"), yellow,
            false);
        row("Label3", "Frame1", {264, 72, 24, 18}, QStringLiteral("℃"), yellow, false);
        row("Label4", "Frame1", {264, 126, 32, 18}, QStringLiteral("℃"), yellow, false);
    }
    void controlsStandWhereDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QColor, back);
        QFETCH(bool, bold);
        Headless h;
        Fsettei& d = Vexo::TheSettingsDialog();
        const auto controls = Controls(d);
        const Control& c = controls.at(name);
        QWidget* parent =
            container == "dialog" ? static_cast<QWidget*>(&d) : controls.at(container).widget;
        QCOMPARE(c.widget->parentWidget(), parent);
        QCOMPARE(c.widget->geometry(), geometry);
        QCOMPARE(c.caption, caption);
        QCOMPARE(c.widget->palette().color(c.widget->backgroundRole()), back);
        QCOMPARE(c.widget->font().bold(), bold);
        QCOMPARE(c.widget->font().pixelSize(), 16);  // 12 pt
        QCOMPARE(c.widget->font().families(), ProportionalGothicFont(12).families());
    }

    void entryBoxesLieAboveTheirUnitLabels() {
        Headless h;
        Fsettei& d = Vexo::TheSettingsDialog();
        d.show();
        // Label3 stands at 264..287 in the dialog, under Text1's right part.
        QCOMPARE(d.childAt(QPoint(270, 90)), static_cast<QWidget*>(d.Text1));
        QCOMPARE(d.childAt(QPoint(270, 140)), static_cast<QWidget*>(d.Text2));
        // In Frame1 the inner frame lies above the unit labels, so it hides what the box
        // leaves of Label4.
        QCOMPARE(d.childAt(QPoint(292, 135)), static_cast<QWidget*>(d.Frame3));
        QVERIFY(d.Label4->isVisibleTo(&d));
        // The option button and the check box lie over their frames.
        QCOMPARE(d.childAt(QPoint(200, 210)), static_cast<QWidget*>(d.Option3[0]));
        QCOMPARE(d.childAt(QPoint(200, 30)), static_cast<QWidget*>(d.Check1));
    }

    void tabOrderFollowsTheDesign() {
        Headless h;
        Fsettei& d = Vexo::TheSettingsDialog();
        const QWidget* order[] = {d.Owaru,      d.Check1,     d.Text1,  d.Text2,
                                  d.Option3[0], d.Option3[1], d.FCancel};
        for (size_t i = 0; i + 1 < std::size(order); ++i)
            QCOMPARE(order[i]->nextInFocusChain(), order[i + 1]);
        QCOMPARE(d.focusWidget(), static_cast<QWidget*>(d.Owaru));
    }

    void textFormOfASetting_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("100") << 100.0 << "100";
        QTest::newRow("-10") << -10.0 << "-10";
        QTest::newRow("12.5") << 12.5 << "12.5";
        QTest::newRow("0.1") << 0.1 << "0.1";
        QTest::newRow("-0") << -0.0 << "0";
        QTest::newRow("million") << 1e6 << "1000000";
    }
    void textFormOfASetting() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Vexo::SettingText(value), text);
        QCOMPARE(Vexo::LeadingNumber(text), value);  // reads back as the same number
    }
};

QTEST_MAIN(SettingsLayoutTest)
#include "settings_layout_test.moc"
