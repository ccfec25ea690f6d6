#pragma once

#include "channeleditor.h"
#include "channelgrid.h"
#include "languageloader.h"
#include "mainwindow.h"
#include "startupoptions.h"
#include "workspace.h"

#include "files.h"
#include "programrun.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace zevtest {

// The offscreen platform warns about every top-level window it cannot size by hints, and about
// every menu that it cannot raise or give the keyboard to.
inline void quietOffscreenWarnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("propagateSizeHints")) &&
                !message.contains(QLatin1String("does not support raise()")) &&
                !message.contains(QLatin1String("does not support grabbing the keyboard")))
                previous(type, context, message);
        });
}

// A program folder in a temporary directory, with the language packs of the build.
class ProgramFolder {
public:
    ProgramFolder() {
        for (const char* pack : {"chinese.qm", "english.qm", "chinese_messages.qm"})
            QFile::copy(testsupport::binaryPath(QLatin1String(pack)), path() + pack);
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    bool hasPacks() const {
        return QFile::exists(path() + "chinese.qm") && QFile::exists(path() + "english.qm");
    }
    void writeFile(const QString& name, const QByteArray& content) const {
        QVERIFY(testsupport::writeFile(path() + name, content));
    }
    QByteArray readFile(const QString& name) const { return testsupport::readFile(path() + name); }
    void writeInstallLog(bool english) const {
        writeFile(
            QStringLiteral("install.Log"),
            english
                ? "*** Installation Started ***\r\nTitle: ZEV4800 Programming "
                  "Software\r\n"
                : "*** Installation Started ***\r\nTitle: ZEV4800 \xe7\xbc\x96\xe7\xa8\x8b\r\n");
    }

private:
    QTemporaryDir m_dir;
};

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers every message box that comes up while it lives, and remembers what each one said.
class MessageBoxAnswerer : public QObject {
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : m_answer(answer) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
        m_timer.start();
    }
    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    bool waitForBoxes(int count = 1) {
        return QTest::qWaitFor([&] { return seen.size() >= count; }, 5000);
    }

    QList<SeenBox> seen;
    // Called on each box before it is answered, e.g. to tick its check box.
    std::function<void(QMessageBox*)> beforeAnswer;

private:
    void answer() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            // Marked on the box itself: a later box may be built at the same address.
            if (!box || !box->isVisible() || box->property("answeredByTest").toBool())
                continue;
            box->setProperty("answeredByTest", true);
            seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                         box->standardButton(box->defaultButton())});
            if (beforeAnswer)
                beforeAnswer(box);
            QAbstractButton* button = box->button(m_answer);
            if (!button)
                button = box->buttons().value(0);
            QTimer::singleShot(0, button, &QAbstractButton::click);
        }
    }

    QTimer m_timer;
    QMessageBox::StandardButton m_answer;
};

// Starts the program on folder as the event loop would: construct, then show.
inline std::unique_ptr<zev::MainWindow> startProgram(const ProgramFolder& folder,
                                                     zev::StartupOptions options = {}) {
    options.programDirectory = folder.path();
    auto window = std::make_unique<zev::MainWindow>(options);
    // The suites that are not about unsaved changes let them go without the question; those
    // that are clear this.
    window->unsavedPlanAnswer = [] { return QMessageBox::Discard; };
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

inline zev::ChannelGrid* gridOf(const zev::MainWindow& window) {
    return window.channelEditor()->findChild<zev::ChannelGrid*>(QStringLiteral("StringGrid1"));
}

inline QLineEdit* frequencyEditorOf(const zev::MainWindow& window) {
    return window.channelEditor()->findChild<QLineEdit*>(QStringLiteral("bsSkinEdit1"));
}

// The channel grid of the window, active and with the focus, as a user working in it has it.
inline bool focusGrid(zev::MainWindow& window) {
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    window.channelEditor()->showOrRestore();
    gridOf(window)->setFocus();
    return QTest::qWaitFor([&window] { return gridOf(window)->hasFocus(); }, 5000);
}

template <typename T> T* control(QObject* form, const char* name) {
    return qobject_cast<T*>(zev::findControl(form, QLatin1String(name)));
}

// One of the seven windows, by its name: the main window's child windows or a top-level window.
inline QWidget* form(const zev::MainWindow& window, const char* name) {
    const QString wanted = QLatin1String(name);
    if (window.objectName() == wanted)
        return const_cast<zev::MainWindow*>(&window);
    if (auto* child = window.findChild<QWidget*>(wanted))
        return child;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == wanted)
            return widget;
    }
    return nullptr;
}

} // namespace zevtest
