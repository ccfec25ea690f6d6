#include "aboutbox.h"

#include "app/builtintexts.h"
#include "app/mnemonic.h"
#include "app/textids.h"
#include "legibleicon.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace zev {

namespace {

void addLine(const char* name, int textId, int top, QWidget* parent) {
    auto* label = new QLabel(builtinText(textId), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(88, top, 257, 20);
}

} // namespace

AboutBox::AboutBox(QWidget* parent) : StayOnTopDialog(parent) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(builtinAboutTitle());
    setFixedSize(357, 202);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(24, 24, 44, 46);
    showPicture();

    addLine("Label1", TextId::ProgramLine, 24, this);
    addLine("Label2", TextId::VersionLine, 52, this);
    addLine("Label3", TextId::AboutLine3, 80, this);
    addLine("Label4", TextId::AboutLine4, 108, this);

    auto* exitButton = new QPushButton(builtinAboutExit(), this);
    exitButton->setObjectName(QStringLiteral("TeButton1"));
    exitButton->setGeometry(256, 160, 81, 25);
    connect(exitButton, &QPushButton::clicked, this, &AboutBox::close);
}

// The title is the About command's caption ("&About...", "关于(&A)..."): its keyboard mark and
// its ellipsis belong to the menu, not to a window title.
void AboutBox::changeEvent(QEvent* event) {
    StayOnTopDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        showPicture();
    if (event->type() == QEvent::WindowTitleChange) {
        const QString title = plainCaption(windowTitle());
        if (title != windowTitle())
            setWindowTitle(title);
    }
}

// Drawn for the window's colours, light or dark.
void AboutBox::showPicture() {
    if (auto* picture = findChild<QLabel*>(QStringLiteral("Image1")))
        picture->setPixmap(legibleIcon(QStringLiteral(":/icons/about.svg")).pixmap(44, 46));
}

} // namespace zev
