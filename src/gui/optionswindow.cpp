#include "optionswindow.h"

#include "app/builtintexts.h"
#include "app/textids.h"
#include "planmodel.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace zev {

namespace {

struct SelectorPlace {
    Option option;
    const char* labelName;
    int labelTextId;
    QRect label;
    const char* selectorName;
    QRect selector;
};

// Positions within the panel; the selectors' height is the style's own.
const std::array<SelectorPlace, OptionCount> places = {{
    {Option::Squelch,
     "Label1",
     TextId::SquelchLabel,
     {40, 24, 97, 16},
     "ComboBox1",
     {136, 24, 97, 0}},
    {Option::BatterySave,
     "Label2",
     TextId::BatterySaveLabel,
     {40, 64, 97, 16},
     "ComboBox2",
     {136, 64, 97, 0}},
    {Option::TimeOutTimer,
     "Label3",
     TextId::TimeOutTimerLabel,
     {40, 104, 97, 16},
     "ComboBox3",
     {136, 104, 97, 0}},
    {Option::VoicePrompt,
     "Label4",
     TextId::VoicePromptLabel,
     {40, 144, 121, 16},
     "ComboBox4",
     {160, 144, 145, 0}},
    {Option::KeyBeep,
     "Label5",
     TextId::KeyBeepLabel,
     {280, 24, 89, 16},
     "ComboBox5",
     {368, 24, 97, 0}},
    {Option::AlarmKey,
     "Label6",
     TextId::AlarmKeyLabel,
     {280, 64, 89, 16},
     "ComboBox6",
     {368, 64, 97, 0}},
    {Option::Scan, "Label7", TextId::ScanLabel, {280, 104, 89, 16}, "ComboBox7", {368, 104, 97, 0}},
}};

} // namespace

OptionsWindow::OptionsWindow(PlanModel& plan, QWidget* parent) : ChildWindow(parent), m_plan(plan) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(builtinText(TextId::FunctionOptionsTitle));

    auto* body = new QWidget;
    QFont bodyFont = body->font();
    bodyFont.setPixelSize(11);
    body->setFont(bodyFont);
    body->setFixedSize(497, 231);

    auto* panel = new QFrame(body);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setGeometry(8, 8, 481, 209);

    QFont labelFont = bodyFont;
    labelFont.setPixelSize(13);
    QWidget* previous = nullptr;
    for (const SelectorPlace& place : places) {
        auto* label = new QLabel(builtinText(place.labelTextId), panel);
        label->setObjectName(QLatin1String(place.labelName));
        label->setFont(labelFont);
        label->setGeometry(place.label);

        auto* selector = new QComboBox(panel);
        selector->setObjectName(QLatin1String(place.selectorName));
        selector->setEditable(false);
        selector->move(place.selector.topLeft());
        selector->setFixedWidth(place.selector.width());
        label->setBuddy(selector); // names the selector for screen readers
        m_selectors[optionSlot(place.option)] = selector;
        const Option option = place.option;
        connect(selector, &QComboBox::activated, this,
                [this, option](int index) { m_plan.setOptionIndex(option, index); });
        if (previous)
            setTabOrder(previous, selector);
        previous = selector;
        showItems(option);
    }

    auto* exitButton = new QPushButton(builtinText(TextId::ExitButton), panel);
    exitButton->setObjectName(QStringLiteral("TeButton1"));
    exitButton->setGeometry(384, 168, 75, 25);
    setTabOrder(previous, exitButton);
    connect(exitButton, &QPushButton::clicked, this, &OptionsWindow::close);

    connect(&m_plan, &PlanModel::optionChanged, this, &OptionsWindow::showIndex);
    connect(&m_plan, &PlanModel::optionItemsChanged, this, &OptionsWindow::showItems);

    setWidget(body);
    adjustSize();
}

QComboBox* OptionsWindow::selector(Option option) const {
    return m_selectors[optionSlot(option)];
}

void OptionsWindow::showItems(Option option) {
    QComboBox* box = selector(option);
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(m_plan.optionItems(option));
    box->setCurrentIndex(m_plan.optionIndex(option));
}

void OptionsWindow::showIndex(Option option) {
    QComboBox* box = selector(option);
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(m_plan.optionIndex(option));
}

} // namespace zev
