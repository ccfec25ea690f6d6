#include "tst_mainwindow_support.h"

#include "pdftext.h"

#include "planmodel.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>

using namespace zevtest;
using zev::MainWindow;
using zev::PlanModel;

// The File menu's channel sheet: the plan as the windows show it, on one A4 page.
class SheetCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exportPdfHoldsThePlan_data();
    void exportPdfHoldsThePlan();
    void exportFailureIsShown();
    void printAsksForAPrinter();
};

void SheetCommandsTest::initTestCase() {
    quietOffscreenWarnings();
    QVERIFY2(testsupport::runProgram("pdftotext", {"-v"}).exitCode == 0,
             "pdftotext (poppler-utils) is missing");
}

void SheetCommandsTest::exportPdfHoldsThePlan_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("english") << true;
    QTest::newRow("chinese") << false;
}

void SheetCommandsTest::exportPdfHoldsThePlan() {
    QFETCH(bool, english);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    plan.setChannel(2, {"145.50000", plan.toneList().at(3), "144.90000", plan.toneList().at(7),
                        plan.words().low, plan.words().on, plan.words().off});
    plan.setOptionIndex(zev::Option::Squelch, 5);

    const QString path = folder.path() + QStringLiteral("sheet.pdf");
    QList<MainWindow::FileDialogKind> asked;
    window->fileNameProvider = [&](MainWindow::FileDialogKind kind) {
        asked.append(kind);
        return path;
    };
    QAction* exportPdf = control<QAction>(window.get(), "ExportPdf");
    QVERIFY(exportPdf);
    exportPdf->trigger();
    QCOMPARE(asked, QList<MainWindow::FileDialogKind>{MainWindow::FileDialogKind::Pdf});

    const testsupport::PdfContent sheet = testsupport::readPdf(path);
    QVERIFY(sheet.read);
    QCOMPARE(sheet.pages, 1);
    QVERIFY2(sheet.pageSize.contains("(A4)"), qPrintable(sheet.pageSize));
    QVERIFY(sheet.text.contains(window->workspace().bands.currentText()));
    const QString text = sheet.text.simplified();

    QStringList header;
    for (int column = 0; column < PlanModel::ColumnCount; ++column)
        header.append(plan.cell(column, 0));
    QVERIFY2(text.contains(header.join(' ')), qPrintable(header.join(' ')));
    QStringList row{"02"};
    for (const QString& cell : plan.channel(2))
        row.append(cell);
    QVERIFY2(text.contains(row.join(' ')), qPrintable(row.join(' ')));
    QVERIFY(text.contains("16"));

    // Each option as its window words it: the label, then the chosen item.
    QWidget* options = form(*window, "TForm4");
    QVERIFY(options);
    for (int i = 1; i <= zev::OptionCount; ++i) {
        const QString label =
            control<QLabel>(options, QString("Label%1").arg(i).toLatin1())->text();
        const QString item =
            control<QComboBox>(options, QString("ComboBox%1").arg(i).toLatin1())->currentText();
        QVERIFY2(text.contains(label + ' ' + item), qPrintable(label + ' ' + item));
    }
}

void SheetCommandsTest::exportFailureIsShown() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    const QString path = folder.path() + QStringLiteral("no such folder/sheet.pdf");
    window->fileNameProvider = [&](MainWindow::FileDialogKind) { return path; };
    MessageBoxAnswerer answerer;
    QAction* exportPdf = control<QAction>(window.get(), "ExportPdf");
    QVERIFY(exportPdf);
    exportPdf->trigger();
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Critical);
    QVERIFY2(answerer.seen.first().text.contains(path), qPrintable(answerer.seen.first().text));
}

void SheetCommandsTest::printAsksForAPrinter() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    QString seen;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = dialog->objectName();
            dialog->reject();
        }
    });
    QAction* print = control<QAction>(window.get(), "PrintSheet");
    QVERIFY(print);
    QCOMPARE(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    print->trigger();
    QCOMPARE(seen, QStringLiteral("PrintSheetDialog"));
}

QTEST_MAIN(SheetCommandsTest)
#include "tst_sheetcommands.moc"
