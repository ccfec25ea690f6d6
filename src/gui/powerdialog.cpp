#include "powerdialog.h"

#include "app/builtintexts.h"
#include "app/textids.h"
#include "radio/powerlevels.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zev {

namespace {

QLabel* makeLabel(const char* name, int textId, int top, QWidget* parent) {
    auto* label = new QLabel(builtinText(textId), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(24, top, 80, 21);
    return label;
}

// A level field: of the typed characters it takes only digits (editing and dialog keys such as
// Backspace and Escape still work), and a value above one byte becomes 255 when the key is
// released. An empty field stays empty.
class LevelEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        const bool character = !text.isEmpty() && text.at(0).isPrint();
        if (character && !(text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        QLineEdit::keyReleaseEvent(event);
        if (!text().isEmpty() && text().toInt() > power::MaximumLevel)
            setText(QString::number(power::MaximumLevel));
    }
};

QLineEdit* makeLevelEdit(const char* name, int top, QWidget* parent) {
    auto* edit = new LevelEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(3);
    edit->setAlignment(Qt::AlignCenter);
    edit->setGeometry(112, top, 89, 21);
    return edit;
}

QPushButton* makeButton(const char* name, int textId, int left, QWidget* parent) {
    auto* button = new QPushButton(builtinText(textId), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 128, 75, 25);
    return button;
}

} // namespace

PowerDialog::PowerDialog(Workspace& workspace, QWidget* parent) : RadioDialog(workspace, parent) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(builtinText(TextId::PowerAdjustCommand));
    setFixedSize(233, 169);

    QLabel* highPowerLabel = makeLabel("Label1", TextId::HighPowerLabel, 20, this);
    QLabel* lowPowerLabel = makeLabel("Label3", TextId::LowPowerLabel, 52, this);
    QLabel* lowVoltageLabel = makeLabel("Label2", TextId::LowVoltageLabel, 84, this);
    m_highPower = makeLevelEdit("Edit1", 20, this);
    m_lowPower = makeLevelEdit("Edit2", 52, this);
    m_lowVoltage = new QComboBox(this);
    m_lowVoltage->setObjectName(QStringLiteral("ComboBox1"));
    m_lowVoltage->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    m_lowVoltage->setCurrentIndex(1);
    m_lowVoltage->setGeometry(112, 84, 89, 21);
    // The labels name their fields for screen readers.
    highPowerLabel->setBuddy(m_highPower);
    lowPowerLabel->setBuddy(m_lowPower);
    lowVoltageLabel->setBuddy(m_lowVoltage);

    QPushButton* readButton = makeButton("DsFancyButton1", TextId::ReadOutButton, 24, this);
    m_writeButton = makeButton("DsFancyButton2", TextId::WriteInButton, 126, this);
    m_writeButton->setEnabled(false);
    // The procedures themselves decide which buttons are enabled while and after they run.
    connect(readButton, &QPushButton::clicked, this, [this] { runProcedure(m_readProcedure); });
    connect(m_writeButton, &QPushButton::clicked, this, [this] { runProcedure(m_writeProcedure); });
}

} // namespace zev
