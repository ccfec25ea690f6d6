#include "tst_mainwindow_support.h"

#include "chanfile/channelfile.h"
#include "planmodel.h"
#include "radio/filecheck.h"
#include "radio/writecheck.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

using namespace zevtest;
using zev::MainWindow;
using zev::PlanModel;
using Kind = zev::MainWindow::FileDialogKind;

Q_DECLARE_METATYPE(zev::MainWindow::FileDialogKind)

namespace {

const QByteArray olderFile = "an older file, kept byte for byte\r\n\x01\xff";

// Plays the user at the modal windows of one command, a step for each window as it comes up: a
// file dialog once its name field has the focus, a message box once it is shown. A window that
// no step expects is closed, so that a wrong turn fails the test instead of hanging it.
class ModalScript : public QObject {
public:
    using Act = std::function<void(QWidget*)>;
    enum class Expect { FileDialog, MessageBox };

    // The newest script plays; an older one that is still alive stands aside.
    ModalScript() {
        current() = this;
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::tick);
        m_timer.start();
    }
    ~ModalScript() override {
        if (current() == this)
            current() = nullptr;
    }
    void add(Expect expect, Act act) { m_steps.append({expect, std::move(act)}); }
    bool finished() const { return m_steps.isEmpty(); }

    QStringList unexpected;
    QList<SeenBox> boxes;
    QStringList dialogDirectories; // as each file dialog came up
    QStringList dialogNames;       // the name each file dialog offered

private:
    static ModalScript*& current() {
        static ModalScript* script = nullptr;
        return script;
    }

    void tick() {
        if (current() != this)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("scripted").toBool())
            return;
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!name || !name->hasFocus())
                return;
            dialogDirectories << dialog->directory().absolutePath();
            dialogNames << name->text();
        } else if (box) {
            if (!box->isVisible())
                return;
            boxes.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                          box->standardButton(box->defaultButton())});
        } else {
            return;
        }
        modal->setProperty("scripted", true);
        const Expect kind = dialog ? Expect::FileDialog : Expect::MessageBox;
        if (m_steps.isEmpty() || m_steps.first().expect != kind) {
            unexpected << modal->metaObject()->className();
            QTimer::singleShot(0, modal, [modal] { qobject_cast<QDialog*>(modal)->reject(); });
            return;
        }
        const Act act = m_steps.takeFirst().act;
        // Outside the tick: the step may start a nested event loop.
        QTimer::singleShot(0, modal, [act, modal] { act(modal); });
    }

    struct Step {
        Expect expect;
        Act act;
    };
    QList<Step> m_steps;
    QTimer m_timer;
};

QLineEdit* nameField(QWidget* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Types a name into the file dialog's name field, over what it offers, and presses Enter.
ModalScript::Act typeName(const QString& name) {
    return [name](QWidget* dialog) {
        QLineEdit* field = nameField(dialog);
        field->selectAll();
        QTest::keyClicks(field, name);
        QTest::keyClick(field, Qt::Key_Return);
    };
}

// A key on the widget that has the keyboard in the window, as a person presses it.
ModalScript::Act press(Qt::Key key) {
    return [key](QWidget* window) {
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, key);
    };
}

QAction* commandOf(Kind kind, const MainWindow& window) {
    switch (kind) {
    case Kind::Save:
        return control<QAction>(const_cast<MainWindow*>(&window), "S1");
    case Kind::ExportCsv:
        return control<QAction>(const_cast<MainWindow*>(&window), "ExportCsvItem");
    default:
        return control<QAction>(const_cast<MainWindow*>(&window), "ExportPdf");
    }
}

QString suffixOf(Kind kind) {
    return kind == Kind::Save        ? QStringLiteral(".z81")
           : kind == Kind::ExportCsv ? QStringLiteral(".csv")
                                     : QStringLiteral(".pdf");
}

// What each command writes begins so.
QByteArray startOf(Kind kind) {
    return kind == Kind::Save        ? QByteArray("RH-4800 MEMORY CHANNEL\r\n")
           : kind == Kind::ExportCsv ? QByteArray("Location,Name,Frequency")
                                     : QByteArray("%PDF");
}

void fillPlan(MainWindow& window) {
    window.workspace().plan.setChannel(
        2, {"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"});
}

} // namespace

// Save and the exports never replace a file without asking; the dialogs start where the user
// keeps files; Open tells what in a file the radio would refuse.
class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void replaceIsAsked_data();
    void replaceIsAsked();
    void outputsGoOnlyToPlainFiles_data();
    void outputsGoOnlyToPlainFiles();
    void replaceQuestionByKeyboard_data();
    void replaceQuestionByKeyboard();
    void dialogsStartWhereTheFilesAre();
    void openTellsWhatTheRadioWouldRefuse_data();
    void openTellsWhatTheRadioWouldRefuse();
};

void FileCommandsTest::replaceIsAsked_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("typed");  // in a folder that holds keep with the command's suffix
    QTest::addColumn<QString>("answer"); // to the question, if there is one
    for (const Kind kind : {Kind::Save, Kind::ExportCsv, Kind::Pdf}) {
        const QString suffix = suffixOf(kind);
        const char* name = kind == Kind::Save        ? "Save"
                           : kind == Kind::ExportCsv ? "Export CSV"
                                                     : "Export PDF";
        QTest::addRow("%s, new name", name) << kind << "new" + suffix << "";
        QTest::addRow("%s, existing, Yes", name) << kind << "keep" + suffix << "Yes";
        QTest::addRow("%s, existing, No", name) << kind << "keep" + suffix << "No";
        QTest::addRow("%s, existing without extension, Yes", name) << kind << "keep"
                                                                   << "Yes";
        QTest::addRow("%s, existing without extension, No", name) << kind << "keep"
                                                                  << "No";
    }
}

// No leaves the file byte for byte and goes back to the dialog, where another name saves.
void FileCommandsTest::replaceIsAsked() {
    QFETCH(Kind, kind);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    fillPlan(*window);
    const QString existing = QStringLiteral("keep") + suffixOf(kind);
    folder.writeFile(existing, olderFile);

    QStringList names{folder.path() + typed, folder.path() + "other" + suffixOf(kind)};
    int dialogs = 0;
    window->fileNameProvider = [&](Kind asked) {
        [&] { QCOMPARE(asked, kind); }();
        ++dialogs;
        return names.isEmpty() ? QString() : names.takeFirst();
    };
    QStringList asked;
    window->replaceFileAnswer = [&](const QString& path) {
        asked << path;
        return answer == "Yes" ? QMessageBox::Yes : QMessageBox::No;
    };
    MessageBoxAnswerer answerer;
    commandOf(kind, *window)->trigger();

    QVERIFY(answerer.seen.isEmpty());
    if (answer.isEmpty()) {
        QCOMPARE(asked, QStringList());
        QVERIFY(folder.readFile(typed).startsWith(startOf(kind)));
        QCOMPARE(folder.readFile(existing), olderFile);
        QCOMPARE(dialogs, 1);
        return;
    }
    QCOMPARE(asked, QStringList{folder.path() + existing});
    if (answer == "Yes") {
        QVERIFY(folder.readFile(existing).startsWith(startOf(kind)));
        QCOMPARE(dialogs, 1);
        QVERIFY(!QFile::exists(folder.path() + "other" + suffixOf(kind)));
    } else {
        QCOMPARE(folder.readFile(existing), olderFile);
        QCOMPARE(dialogs, 2);
        QVERIFY(folder.readFile("other" + suffixOf(kind)).startsWith(startOf(kind)));
    }
    if (kind == Kind::Save) // the plan is saved in the file it went to
        QVERIFY(!window->windowTitle().startsWith('*'));
}

// A pipe or a device node chosen as the file, and replacing it agreed to: refused with a message,
// and it stays what it is (as root, whom the system would let replace a device node).
void FileCommandsTest::outputsGoOnlyToPlainFiles_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<testsupport::SpecialFile>("special");
    for (const Kind kind : {Kind::Save, Kind::ExportCsv, Kind::Pdf}) {
        const char* name = kind == Kind::Save        ? "Save"
                           : kind == Kind::ExportCsv ? "Export CSV"
                                                     : "Export PDF";
        QTest::addRow("%s to a pipe", name) << kind << testsupport::SpecialFile::Fifo;
        QTest::addRow("%s to a device node", name) << kind << testsupport::SpecialFile::Device;
        QTest::addRow("%s to a link to a device node", name)
            << kind << testsupport::SpecialFile::LinkToDevice;
    }
}

void FileCommandsTest::outputsGoOnlyToPlainFiles() {
    QFETCH(Kind, kind);
    QFETCH(testsupport::SpecialFile, special);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    fillPlan(*window);
    const QString path = folder.path() + "output" + suffixOf(kind);
    if (!testsupport::makeSpecialFile(path, special))
        QSKIP("a device node can be made only by root");
    int dialogs = 0;
    window->fileNameProvider = [&](Kind) { return dialogs++ == 0 ? path : QString(); };
    window->replaceFileAnswer = [](const QString&) { return QMessageBox::Yes; };
    MessageBoxAnswerer answerer;
    commandOf(kind, *window)->trigger();

    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Critical);
    QCOMPARE(answerer.seen.first().text,
             "File access denied: " + path + " is not a plain file (a pipe, device or socket)");
    QVERIFY(testsupport::isSpecialFile(path, special));
}

void FileCommandsTest::replaceQuestionByKeyboard_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("question");
    QTest::newRow("English") << true << "keep.z81 already exists. Replace it?";
    QTest::newRow("Chinese") << false << "keep.z81 已存在。要替换它吗？";
}

// The real dialog and the real question, by keyboard alone: Esc and Enter (No is the default)
// keep the file and go back to the dialog, which offers the name again; only Yes replaces.
void FileCommandsTest::replaceQuestionByKeyboard() {
    QFETCH(bool, english);
    QFETCH(QString, question);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    fillPlan(*window);
    folder.writeFile("keep.z81", olderFile);
    QTRY_VERIFY(window->windowTitle().startsWith('*'));
    const QString title = window->windowTitle();
    QVERIFY(focusGrid(*window));

    ModalScript script;
    script.add(ModalScript::Expect::FileDialog, typeName(folder.path() + "keep"));
    script.add(ModalScript::Expect::MessageBox, press(Qt::Key_Escape));
    script.add(ModalScript::Expect::FileDialog, press(Qt::Key_Return)); // the name it offers
    script.add(ModalScript::Expect::MessageBox, press(Qt::Key_Return));
    script.add(ModalScript::Expect::FileDialog, press(Qt::Key_Escape));
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Save);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected, QStringList());
    QCOMPARE(script.boxes.size(), 2);
    for (const SeenBox& box : script.boxes) {
        QCOMPARE(box.text, question);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.defaultButton, QMessageBox::No);
    }
    QCOMPARE(script.dialogNames.mid(1), (QStringList{"keep.z81", "keep.z81"}));
    QCOMPARE(folder.readFile("keep.z81"), olderFile);
    QCOMPARE(QDir(folder.path()).entryList({"keep*"}, QDir::Files), QStringList{"keep.z81"});
    QCOMPARE(window->windowTitle(), title);

    // Yes replaces it.
    QVERIFY(focusGrid(*window));
    ModalScript yes;
    yes.add(ModalScript::Expect::FileDialog, typeName(folder.path() + "keep"));
    yes.add(ModalScript::Expect::MessageBox, [](QWidget* box) {
        QAbstractButton* button = qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    });
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Save);
    QVERIFY(yes.finished());
    QCOMPARE(yes.unexpected, QStringList());
    QVERIFY(folder.readFile("keep.z81").contains("CH02 | 145.50000"));
    QVERIFY(!window->windowTitle().startsWith('*'));
}

// Save offers the current file by name where it lives; the exports start where a file was last
// opened, saved or exported. Opening a backup moves neither into the backups folder.
void FileCommandsTest::dialogsStartWhereTheFilesAre() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    QTemporaryDir customers;
    QTemporaryDir backups;
    QTemporaryDir lists;
    auto window = startProgram(folder);
    QVERIFY(window);
    QVERIFY(focusGrid(*window));
    window->workspace().writeJob.backupDirectory = backups.path();
    zev::Plan file;
    file.band = QStringLiteral("400-470MHz");
    file.options = zev::resetOptionIndices;
    const QString customerFile = customers.filePath("customer.z81");
    const QString backupFile = backups.filePath("20260101-120000-ttyUSB0.z81");
    QVERIFY(zev::saveChannelFile(customerFile, file, {}).ok());
    QVERIFY(zev::saveChannelFile(backupFile, file, {}).ok());
    const auto run = [&](const char* command, ModalScript& script) {
        control<QAction>(window.get(), command)->trigger();
        QVERIFY(script.finished());
        QCOMPARE(script.unexpected, QStringList());
    };
    const auto lookAndCancel = [&](const char* command, const QString& directory,
                                   const QString& name) {
        ModalScript script;
        script.add(ModalScript::Expect::FileDialog, press(Qt::Key_Escape));
        run(command, script);
        QCOMPARE(script.dialogDirectories, QStringList{QDir(directory).absolutePath()});
        QCOMPARE(script.dialogNames, QStringList{name});
    };

    ModalScript openCustomer;
    openCustomer.add(ModalScript::Expect::FileDialog, typeName(customerFile));
    run("O1", openCustomer);
    QCOMPARE(window->workspace().bands.currentText(), QStringLiteral("400-470MHz"));
    lookAndCancel("S1", customers.path(), "customer.z81");
    lookAndCancel("ExportCsvItem", customers.path(), "");
    lookAndCancel("ExportPdf", customers.path(), "");

    ModalScript openBackup;
    openBackup.add(ModalScript::Expect::FileDialog, typeName(backupFile));
    run("O1", openBackup);
    lookAndCancel("ExportCsvItem", customers.path(), "");
    lookAndCancel("ExportPdf", customers.path(), "");
    lookAndCancel("S1", customers.path(), "20260101-120000-ttyUSB0.z81");

    ModalScript exportList;
    exportList.add(ModalScript::Expect::FileDialog, typeName(lists.filePath("list")));
    run("ExportCsvItem", exportList);
    QVERIFY(QFile::exists(lists.filePath("list.csv")));
    lookAndCancel("ExportPdf", lists.path(), "");

    // A new plan has no file: Save offers no name.
    window->unsavedPlanAnswer = [] { return QMessageBox::Discard; };
    MessageBoxAnswerer answerer;
    control<QAction>(window.get(), "N2")->trigger();
    QCOMPARE(answerer.seen.size(), 1); // the New question
    lookAndCancel("S1", lists.path(), "");
}

void FileCommandsTest::openTellsWhatTheRadioWouldRefuse_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("atStart"); // named on the command line instead of opened
    QTest::addColumn<bool>("clean");
    QTest::addColumn<QString>("lead");
    const QString english = "The file is open, but the radio would refuse it until these are "
                            "corrected:";
    const QString chinese = "文件已打开，但在改正以下各项之前电台会拒绝它：";
    QTest::newRow("English, clean") << true << false << true << "";
    QTest::newRow("English") << true << false << false << english;
    QTest::newRow("Chinese") << false << false << false << chinese;
    QTest::newRow("English, at start") << true << true << false << english;
    QTest::newRow("Chinese, at start, clean") << false << true << true << "";
}

// The file opens as it is; then a box lists each problem in the write check's words, after the
// file and its line, in the window's language. A clean file opens without a word.
void FileCommandsTest::openTellsWhatTheRadioWouldRefuse() {
    QFETCH(bool, english);
    QFETCH(bool, atStart);
    QFETCH(bool, clean);
    QFETCH(QString, lead);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    zev::Plan file;
    file.band = QStringLiteral("136-174MHz");
    file.options = zev::resetOptionIndices;
    file.channels[0] = {"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"};
    file.channels[6] = {
        clean ? "145.27500" : "14x.27500", "67.0", "145.27500", "67.0", "高功率", "启用", "禁用"};
    if (!clean)
        file.channels[1] = {"145.50000", "99.9x", "145.50000", "OFF", "Low", "ON", "OFF"};
    const QString path = folder.path() + "short.z81";
    QVERIFY(zev::saveChannelFile(path, file, {}).ok());
    if (!clean) { // the file ends after channel 14
        QByteArray bytes = folder.readFile("short.z81");
        bytes.truncate(bytes.indexOf("CH15"));
        folder.writeFile("short.z81", bytes);
    }

    MessageBoxAnswerer answerer;
    zev::StartupOptions options;
    if (atStart)
        options.channelFile = path;
    auto window = startProgram(folder, options);
    QVERIFY(window);
    if (!atStart) {
        window->fileNameProvider = [&](Kind) { return path; };
        control<QAction>(window.get(), "O1")->trigger();
    }
    const PlanModel& plan = window->workspace().plan;
    QTRY_COMPARE(plan.channel(7).at(0), file.channels[6].at(0));
    if (clean) {
        QTest::qWait(50); // a box after the first paint would be there by now
        QCOMPARE(answerer.seen.size(), 0);
        return;
    }
    QVERIFY(answerer.waitForBoxes(1));
    QCOMPARE(answerer.seen.size(), 1);
    const SeenBox& box = answerer.seen.first();
    QCOMPARE(box.icon, QMessageBox::Warning);
    QStringList lines = box.text.split('\n');
    QCOMPARE(lines.takeFirst(), lead);
    const zev::Result<zev::LoadedChannelFile> loaded = zev::readChannelFile(path);
    QVERIFY(loaded.ok());
    QCOMPARE(lines, zev::channelFileProblems(path, loaded.value(), plan.words(),
                                             plan.wording().columnTitles()));
    // Named by the file and the line, in the window's words.
    const QString lineWord = english ? ", line " : "，第 ";
    QCOMPARE(lines.size(), 2 + 2);
    QVERIFY2(lines[0].startsWith(path + lineWord + "15") && lines[0].contains("99.9x"),
             qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith(path + lineWord + "20") && lines[1].contains("14x.27500"),
             qPrintable(lines[1]));
    QVERIFY2(lines[2].startsWith(path + lineWord + "28"), qPrintable(lines[2]));
    QVERIFY2(lines[3].startsWith(path + lineWord + "29"), qPrintable(lines[3]));
    QCOMPARE(lines[1].contains(plan.cell(PlanModel::RxFrequency, 0)), true);
    // Opened as it is, and as opened: nothing to save.
    QCOMPARE(plan.channel(2).at(1), QStringLiteral("99.9x"));
    QCOMPARE(plan.channel(15), zev::ChannelRow{});
    QVERIFY(!window->windowTitle().startsWith('*'));
}

QTEST_MAIN(FileCommandsTest)
#include "tst_filecommands.moc"
