#include "tst_mainwindow_support.h"

#include "app/inifile.h"
#include "chanfile/channelfile.h"
#include "plan/frequency.h"
#include "radio/writecheck.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QRegularExpression>

using namespace zevtest;
using zev::MainWindow;
using zev::PlanModel;

namespace {

// A text without its accelerator: "是(&Y)" and "&Yes" alike.
QString withoutAccelerator(QString text) {
    static const QRegularExpression marked(QStringLiteral("\\(&.\\)"));
    return text.remove(marked).remove(QLatin1Char('&'));
}

bool hasLatinLetters(const QString& text) {
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]"));
    return text.contains(letters);
}

// The texts of Qt's own parts that every user meets: message box buttons and the file dialog.
QStringList qtTexts() {
    QStringList texts;
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes |
                           QMessageBox::No);
    for (QAbstractButton* button : box.buttons())
        texts << button->text();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
        texts << dialog.findChild<QLabel*>(QLatin1String(label))->text();
    for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
        texts << button->text();
    return texts;
}

// What a message may hold in Latin letters besides its data: port and unit names, the code page
// and the band's form.
const QStringList latinTerms = {QStringLiteral("COM"), QStringLiteral("GBK"), QStringLiteral("MHz"),
                                QStringLiteral("ddd")};

// The message less its data and the Latin terms: what is left must be the language's own words.
QString wording(QString message, const QStringList& data) {
    QStringList removed = data + latinTerms;
    // Longest first: a datum may hold a shorter one.
    std::sort(removed.begin(), removed.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& text : removed)
        message.remove(text);
    return message;
}

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

zev::ChannelRow goodRow() {
    return {QStringLiteral("145.12500"), QStringLiteral("67.0"),   QStringLiteral("145.12500"),
            QStringLiteral("D023N"),     QStringLiteral("高功率"), QStringLiteral("启用"),
            QStringLiteral("禁用")};
}

const char* const deviceMissing = "/dev/zev-no-such-tty";

} // namespace

// The interface in Chinese is Chinese throughout: Qt's own texts and the program's messages
// follow the Language menu.
class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void qtTextsFollowTheLanguage();
    void messagesInChinese_data();
    void messagesInChinese();
    void englishAgainAfterChinese();
    void fileOfTheOtherLanguageOpensInTheWindowsWords_data();
    void fileOfTheOtherLanguageOpensInTheWindowsWords();

private:
    // The program started in English and switched to Chinese with the Language menu.
    std::unique_ptr<MainWindow> startInChinese(const ProgramFolder& folder);
    // The text of the one message box that command brings up.
    static QString boxOf(QAction* command);
};

std::unique_ptr<MainWindow> TranslationsTest::startInChinese(const ProgramFolder& folder) {
    folder.writeInstallLog(true);
    zev::StartupOptions options;
    options.portDevices[1] = QLatin1String(deviceMissing);
    auto window = startProgram(folder, options);
    if (window)
        control<QAction>(window.get(), "N20")->trigger();
    return window;
}

QString TranslationsTest::boxOf(QAction* command) {
    MessageBoxAnswerer answerer;
    command->trigger();
    return answerer.seen.size() == 1 ? answerer.seen.first().text : QString();
}

void TranslationsTest::qtTextsFollowTheLanguage() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    const QStringList english = qtTexts();
    QVERIFY2(english.contains(QStringLiteral("OK")), qPrintable(english.join('|')));
    QVERIFY2(english.contains(QStringLiteral("Cancel")), qPrintable(english.join('|')));

    control<QAction>(window.get(), "N20")->trigger();
    for (const QString& text : qtTexts())
        QVERIFY2(!hasLatinLetters(withoutAccelerator(text)), qPrintable(text));

    control<QAction>(window.get(), "N21")->trigger();
    QCOMPARE(qtTexts(), english);
}

void TranslationsTest::messagesInChinese_data() {
    // kind: "open" a file with content (or none: "missing", "folder"), "save" a plan with the
    // cell of channel 3 / RX tone to a name, "write" check a plan with a cell, "port" and others.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("data"); // texts of the message that are data, besides paths

    const QByteArray head = "RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 136-174MHz\r\n";
    const QByteArray options = "Squelch 2 2\r\nBatSave 1 x\r\nTxT.O.T 3 x\r\nSCAN 1 x\r\n"
                               "TONE 1 x\r\nBAO 1 x\r\nVOICE 0 x\r\n\r\n\r\n";
    QTest::newRow("open: missing file") << "open"
                                        << "missing.z81" << QByteArray() << 0 << QStringList();
    QTest::newRow("open: folder") << "open"
                                  << "folder.z81" << QByteArray() << 0 << QStringList();
    QTest::newRow("open: option not a digit") << "open"
                                              << "letter.z81" << head + "Squelch x 2\r\n"
                                              << 0 << QStringList{"'x'"};
    QTest::newRow("open: short file") << "open"
                                      << "short.z81" << head << 0 << QStringList();
    QTest::newRow("open: control character") << "open"
                                             << "control.z81" << head + "Squelch \x1a 2\r\n"
                                             << 0 << QStringList{"U+001A"};
    QTest::newRow("open: not GBK")
        << "open"
        << "bytes.z81" << head + options + "CH01 | 145.\x81\x7f | x | \r\n"
        << 0 << QStringList();
    QTest::newRow("open: one long line")
        << "open"
        << "long.z81" << QByteArray(70000, 'x') << 0 << QStringList();
    QTest::newRow("save: folder") << "save"
                                  << "folder.z81" << QByteArray() << 0 << QStringList();
    QTest::newRow("save: missing folder") << "save"
                                          << "none/plan.z81" << QByteArray() << 0 << QStringList();
    QTest::newRow("save: character outside GBK")
        << "save"
        << "plan.z81" << QByteArray("\xf0\x9f\x98\x80") << int(PlanModel::RxTone) << QStringList();
    QTest::newRow("save: line break in a cell")
        << "save"
        << "plan.z81" << QByteArray("88.5\n") << int(PlanModel::RxTone) << QStringList();

    const auto cell = [](const char* name, PlanModel::Column column, const QByteArray& text) {
        QTest::newRow(name) << "write" << QString() << text << int(column)
                            << QStringList{QString::fromUtf8(text)};
    };
    cell("write: RX frequency", PlanModel::RxFrequency, "14x.50000");
    cell("write: TX frequency", PlanModel::TxFrequency, "145.125");
    cell("write: RX tone", PlanModel::RxTone, "D089N");
    cell("write: empty TX tone", PlanModel::TxTone, "");
    cell("write: power", PlanModel::Power, "Max");
    cell("write: first flag", PlanModel::ScanAdd, "高功率");
    cell("write: second flag", PlanModel::BusyLock, "maybe");
    QTest::newRow("write: no squelch selection") << "write"
                                                 << "squelch" << QByteArray() << 0 << QStringList();
    QTest::newRow("write: band") << "write"
                                 << "band" << QByteArray("136-174") << 0 << QStringList{"136-174"};

    QTest::newRow("port: no such device")
        << "port"
        << "missing" << QByteArray() << 0 << QStringList{deviceMissing};
    QTest::newRow("port: held by another program")
        << "port"
        << "busy" << QByteArray() << 0 << QStringList{"/dev/ttyUSB2", "ModemManager"};
    QTest::newRow("port: held by a program found")
        << "port"
        << "minicom" << QByteArray() << 0 << QStringList{"/dev/ttyUSB2", "minicom", "4242"};
    QTest::newRow("port: held by ModemManager") << "port"
                                                << "ModemManager" << QByteArray() << 0
                                                << QStringList{"/dev/ttyUSB2",
                                                               "ModemManager",
                                                               "812",
                                                               "60-zev4800.rules",
                                                               "README",
                                                               "udev",
                                                               "sudo systemctl stop ModemManager"};
    QTest::newRow("port: lock file left behind")
        << "port"
        << "lockfile" << QByteArray() << 0
        << QStringList{"/dev/ttyUSB2", "/run/lock/LCK..ttyUSB2", "sudo rm"};
    QTest::newRow("port: gone, brltty")
        << "port"
        << "brltty" << QByteArray() << 0
        << QStringList{"/dev/ttyUSB2", "brltty", "sudo apt remove brltty",
                       "sudo systemctl mask brltty-udev.service", "USB"};
    QTest::newRow("port: permission denied")
        << "port"
        << "permission" << QByteArray() << 0
        << QStringList{"/dev/ttyUSB2", "dialout", "sudo usermod -aG dialout $USER"};
    QTest::newRow("port: no device set") << "port"
                                         << "unset" << QByteArray() << 0 << QStringList();

    QTest::newRow("frequency typed")
        << "frequency" << QString() << QByteArray("1a5") << 0 << QStringList{"1a5"};
    QTest::newRow("frequency the radio cannot hold")
        << "frequency" << QString() << QByteArray("999") << 0
        << QStringList{"999", "100", "550", "-"};
    QTest::newRow("settings unwritable") << "settings"
                                         << "none/myini.ini" << QByteArray() << 0 << QStringList();
}

void TranslationsTest::messagesInChinese() {
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, column);
    QFETCH(QStringList, data);

    ProgramFolder folder;
    auto window = startInChinese(folder);
    QVERIFY(window);
    zev::Workspace& workspace = window->workspace();
    const QString path = folder.path() + name;
    data << path << folder.path();

    QString message;
    if (kind == QLatin1String("open") || kind == QLatin1String("save")) {
        if (name.startsWith(QLatin1String("folder")))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QLatin1String("open") && !content.isEmpty())
            folder.writeFile(name, content);
        if (kind == QLatin1String("save") && column > 0) {
            workspace.plan.setChannel(3, goodRow());
            workspace.plan.setCell(column, 3, QString::fromUtf8(content));
        }
        window->fileNameProvider = [&](MainWindow::FileDialogKind) { return path; };
        message =
            boxOf(control<QAction>(window.get(), kind == QLatin1String("open") ? "O1" : "S1"));
    } else if (kind == QLatin1String("write")) {
        workspace.plan.setChannel(3, goodRow());
        if (column > 0)
            workspace.plan.setCell(column, 3, QString::fromUtf8(content));
        if (name == QLatin1String("squelch"))
            workspace.plan.setOptionIndex(zev::Option::Squelch, -1);
        const QString band = name == QLatin1String("band") ? QString::fromUtf8(content)
                                                           : QStringLiteral("136-174MHz");
        zev::Plan checked = workspace.currentPlan();
        checked.band = band;
        message = zev::checkPlanForWrite(checked, workspace.plan.wording()).message();
    } else if (name == QLatin1String("missing")) {
        message = boxOf(control<QAction>(window.get(), "N6"));
    } else if (kind == QLatin1String("port") && name != QLatin1String("unset")) {
        zev::PortDiagnosis diagnosis;
        diagnosis.device = QStringLiteral("/dev/ttyUSB2");
        diagnosis.outcome = zev::ProbeOutcome::Busy;
        if (name == QLatin1String("minicom"))
            diagnosis.holder = {4242, name};
        else if (name == QLatin1String("ModemManager"))
            diagnosis.holder = {812, name};
        else if (name == QLatin1String("lockfile"))
            diagnosis.leftOverLock = QStringLiteral("/run/lock/LCK..ttyUSB2");
        else if (name == QLatin1String("brltty"))
            diagnosis = {zev::ProbeOutcome::Missing, diagnosis.device, {}, {}, {}, true, true, {}};
        else if (name == QLatin1String("permission"))
            diagnosis = {zev::ProbeOutcome::PermissionDenied,
                         diagnosis.device,
                         "dialout",
                         {},
                         {},
                         false,
                         false,
                         {}};
        message = zev::portUnavailableMessage(workspace.texts.portBusyMessage, diagnosis, 3);
    } else if (name == QLatin1String("unset")) {
        zev::SerialPort port;
        port.setPort(2, QString());
        message = port.open().message();
    } else if (kind == QLatin1String("frequency")) {
        message = zev::normaliseFrequency(QString::fromUtf8(content), QLatin1Char('.')).message();
    } else if (kind == QLatin1String("settings")) {
        message =
            zev::IniFile(path).writeInt(QStringLiteral("open"), QStringLiteral("com"), 1).message();
    }

    QVERIFY2(hasChinese(message), qPrintable(message));
    QVERIFY2(!hasLatinLetters(wording(message, data)), qPrintable(message));
}

void TranslationsTest::englishAgainAfterChinese() {
    ProgramFolder folder;
    auto window = startInChinese(folder);
    QVERIFY(window);
    window->fileNameProvider = [&](MainWindow::FileDialogKind) {
        return folder.path() + QStringLiteral("missing.z81");
    };
    QVERIFY(hasChinese(boxOf(control<QAction>(window.get(), "O1"))));
    control<QAction>(window.get(), "N21")->trigger();
    const QString message = boxOf(control<QAction>(window.get(), "O1"));
    QVERIFY2(message.startsWith(QLatin1String("File not found")), qPrintable(message));
}

// A plan saved in one language and opened in the other shows the window's words, so that a toggle
// changes the value at the first click and Save writes the window's words; an undo back to the
// opened plan keeps them.
void TranslationsTest::fileOfTheOtherLanguageOpensInTheWindowsWords_data() {
    QTest::addColumn<bool>("englishWindow");
    QTest::newRow("Chinese file, English window") << true;
    QTest::newRow("English file, Chinese window") << false;
}

void TranslationsTest::fileOfTheOtherLanguageOpensInTheWindowsWords() {
    QFETCH(bool, englishWindow);
    const zev::Words fileWords = englishWindow ? zev::chineseWords() : zev::englishWords();
    const zev::Words windowWords = englishWindow ? zev::englishWords() : zev::chineseWords();
    ProgramFolder folder;
    folder.writeInstallLog(englishWindow);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    QCOMPARE(plan.words(), windowWords);

    zev::Plan file = window->workspace().currentPlan();
    file.channels[0] = {"145.50000",    fileWords.off, "145.50000",  "88.5",
                        fileWords.high, fileWords.on,  fileWords.off};
    file.channels[1] = {"146.00000",   "D023N",       "146.60000", fileWords.off,
                        fileWords.low, fileWords.off, fileWords.on};
    const QString path = folder.path() + QStringLiteral("other.z81");
    QVERIFY(zev::saveChannelFile(path, file, plan.wording().selectorTexts(file.options)));
    window->fileNameProvider = [&](MainWindow::FileDialogKind) { return path; };
    MessageBoxAnswerer answerer;
    control<QAction>(window.get(), "O1")->trigger();
    QVERIFY(answerer.seen.isEmpty());

    const zev::ChannelRow opened = {"145.50000",      windowWords.off, "145.50000",    "88.5",
                                    windowWords.high, windowWords.on,  windowWords.off};
    QCOMPARE(plan.channel(1), opened);
    QCOMPARE(plan.channel(2), (zev::ChannelRow{"146.00000", "D023N", "146.60000", windowWords.off,
                                               windowWords.low, windowWords.off, windowWords.on}));
    QVERIFY(!window->windowTitle().startsWith(QLatin1Char('*')));

    // One click on each toggle of channel 1 changes it.
    QVERIFY(focusGrid(*window));
    zev::ChannelGrid* grid = gridOf(*window);
    for (int column : {PlanModel::Power, PlanModel::ScanAdd, PlanModel::BusyLock}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(plan.index(1, column)).center());
        QCoreApplication::processEvents(); // each click a step of its own
    }
    QCOMPARE(plan.channel(1), (zev::ChannelRow{"145.50000", windowWords.off, "145.50000", "88.5",
                                               windowWords.low, windowWords.off, windowWords.on}));

    const QString savedPath = folder.path() + QStringLiteral("saved.z81");
    window->fileNameProvider = [&](MainWindow::FileDialogKind) { return savedPath; };
    control<QAction>(window.get(), "S1")->trigger();
    const zev::Result<zev::Plan> saved = zev::loadChannelFile(savedPath);
    QVERIFY(saved.ok());
    QCOMPARE(saved->channels[0], plan.channel(1));
    QCOMPARE(saved->channels[1], plan.channel(2));

    // Back to the plan as it was opened: still in the window's words.
    for (int i = 0; i < 3; ++i)
        control<QAction>(window.get(), "UndoItem")->trigger();
    QCOMPARE(plan.channel(1), opened);
}

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
