#include "tst_mainwindow_support.h"

#include "optionswindow.h"
#include "planmodel.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>

using namespace zevtest;
using zev::Option;

Q_DECLARE_METATYPE(zev::Option)

class OptionsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void showsThePlan();
    void userPickGoesToThePlan_data();
    void userPickGoesToThePlan();
    void itemListsFollowThePlan();
    void exitHides();

private:
    std::unique_ptr<zev::PlanModel> m_plan;
    std::unique_ptr<QMdiArea> m_area;
    zev::OptionsWindow* m_window = nullptr;
};

void OptionsWindowTest::init() {
    m_plan = std::make_unique<zev::PlanModel>();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(800, 600);
    m_window = new zev::OptionsWindow(*m_plan, m_area.get());
    m_area->addSubWindow(m_window);
    m_area->show();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
}

void OptionsWindowTest::cleanup() {
    m_area.reset();
    m_plan.reset();
}

void OptionsWindowTest::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Panel1") << "Panel1" << QRect(8, 8, 481, 209);
    QTest::newRow("Label1") << "Label1" << QRect(40, 24, 97, 16);
    QTest::newRow("Label4") << "Label4" << QRect(40, 144, 121, 16);
    QTest::newRow("Label7") << "Label7" << QRect(280, 104, 89, 16);
    QTest::newRow("ComboBox1") << "ComboBox1" << QRect(136, 24, 97, -1);
    QTest::newRow("ComboBox4") << "ComboBox4" << QRect(160, 144, 145, -1);
    QTest::newRow("ComboBox7") << "ComboBox7" << QRect(368, 104, 97, -1);
    QTest::newRow("TeButton1") << "TeButton1" << QRect(384, 168, 75, 25);
}

void OptionsWindowTest::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    auto* widget = qobject_cast<QWidget*>(zev::findControl(m_window, name));
    QVERIFY(widget);
    QCOMPARE(widget->pos(), geometry.topLeft());
    QCOMPARE(widget->width(), geometry.width());
    if (geometry.height() > 0)
        QCOMPARE(widget->height(), geometry.height());
    if (name.startsWith("Label"))
        QCOMPARE(widget->font().pixelSize(), 13);
    QCOMPARE(m_window->widget()->size(), QSize(497, 231));
}

void OptionsWindowTest::showsThePlan() {
    QCOMPARE(m_window->objectName(), QStringLiteral("TForm4"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("功能选项"));
    const QStringList names = {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4",
                               "ComboBox5", "ComboBox6", "ComboBox7"};
    for (int i = 0; i < names.size(); ++i) {
        auto* box = control<QComboBox>(m_window, qPrintable(names.at(i)));
        QVERIFY(!box->isEditable());
        QCOMPARE(box->currentIndex(), zev::startupOptionIndices[i]);
        QCOMPARE(box, m_window->selector(zev::allOptions[i]));
        QCOMPARE(box->count(), m_plan->optionItems(zev::allOptions[i]).size());
    }
    QCOMPARE(control<QComboBox>(m_window, "ComboBox3")->currentText(), QStringLiteral("4分钟"));
    m_plan->reset();
    QCOMPARE(control<QComboBox>(m_window, "ComboBox3")->currentText(), QStringLiteral("3分钟"));
    m_plan->setOptionIndex(Option::Squelch, 12);
    QCOMPARE(control<QComboBox>(m_window, "ComboBox1")->currentIndex(), -1);
    // Tab order: the selectors, then the exit button.
    QWidget* next = control<QComboBox>(m_window, "ComboBox1");
    for (const char* name : {"ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6",
                             "ComboBox7", "TeButton1"}) {
        next = next->nextInFocusChain();
        while (!next->objectName().startsWith("ComboBox") &&
               next->objectName() != QLatin1String("TeButton1"))
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), QLatin1String(name));
    }
}

void OptionsWindowTest::userPickGoesToThePlan_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Option>("option");
    QTest::addColumn<int>("picked");
    QTest::newRow("squelch") << "ComboBox1" << Option::Squelch << 3;
    QTest::newRow("time-out timer") << "ComboBox3" << Option::TimeOutTimer << 5;
    QTest::newRow("scan") << "ComboBox7" << Option::Scan << 0;
}

void OptionsWindowTest::userPickGoesToThePlan() {
    QFETCH(QString, name);
    QFETCH(Option, option);
    QFETCH(int, picked);
    auto* box = control<QComboBox>(m_window, qPrintable(name));
    const int start = box->currentIndex();
    QTest::keyClick(box, picked > start ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(box->currentIndex(), picked);
    QCOMPARE(m_plan->optionIndex(option), picked);
}

void OptionsWindowTest::itemListsFollowThePlan() {
    m_plan->setOptionIndex(Option::BatterySave, 0);
    zev::Words english = zev::englishWords();
    m_plan->setWords(english);
    zev::OptionTexts texts = zev::chineseOptionTexts();
    texts.minutes[0] = QStringLiteral("1 min");
    m_plan->rebuildOptionLists(texts);
    auto* batterySave = control<QComboBox>(m_window, "ComboBox2");
    QCOMPARE(batterySave->currentIndex(), 0);
    QCOMPARE(batterySave->currentText(), QStringLiteral("OFF"));
    QCOMPARE(control<QComboBox>(m_window, "ComboBox3")->itemText(1), QStringLiteral("1 min"));
    QCOMPARE(control<QComboBox>(m_window, "ComboBox3")->currentIndex(), 4);
}

void OptionsWindowTest::exitHides() {
    QTest::mouseClick(control<QPushButton>(m_window, "TeButton1"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_window->isHiddenByClose());
    m_plan->setOptionIndex(Option::KeyBeep, 0);
    m_window->showOrRestore();
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->isHiddenByClose());
    QCOMPARE(control<QComboBox>(m_window, "ComboBox5")->currentIndex(), 0);
}

QTEST_MAIN(OptionsWindowTest)
#include "tst_optionswindow.moc"
