#include "tst_mainwindow_support.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QRegularExpression>

using namespace zevtest;
using zev::MainWindow;

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

} // namespace

// The interface in Chinese is Chinese throughout: Qt's own texts and the program's messages
// follow the Language menu.
class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void qtTextsFollowTheLanguage();
};

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

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
