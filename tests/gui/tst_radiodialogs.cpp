#include "tst_mainwindow_support.h"

#include "ptypair.h"

#include "aboutbox.h"
#include "powerdialog.h"
#include "readdialog.h"
#include "writedialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

using namespace zevtest;
using testsupport::PtyPair;

namespace {

std::unique_ptr<zev::TransferDialog> makeTransferDialog(const QString& name,
                                                        zev::Workspace& workspace) {
    if (name == "TForm6")
        return std::make_unique<zev::ReadDialog>(workspace);
    return std::make_unique<zev::WriteDialog>(workspace);
}

} // namespace

class RadioDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void transferDialog_data();
    void transferDialog();
    void transferFailureMessage();
    void portOpenFailure();
    void powerDialog();
    void aboutBox();
};

void RadioDialogsTest::transferDialog_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("button");
    QTest::newRow("read") << "TForm6"
                          << "读频"
                          << "读频(&R)";
    QTest::newRow("write") << "TForm3"
                           << "写频"
                           << "写频(&W)";
}

void RadioDialogsTest::transferDialog() {
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, button);
    PtyPair terminal;
    zev::Workspace workspace;
    workspace.port.setPort(2, terminal.slavePath());
    auto dialog = makeTransferDialog(name, workspace);
    QCOMPARE(dialog->objectName(), name);
    QCOMPARE(dialog->windowTitle(), title);
    auto* start = control<QPushButton>(dialog.get(), "Button1");
    auto* progress = control<QProgressBar>(dialog.get(), "ProgressBar1");
    auto* successPanel = control<QLabel>(dialog.get(), "StatusBar1Panel1");
    QVERIFY(start && progress && successPanel);
    QVERIFY(control<QLabel>(dialog.get(), "StatusBar1Panel0"));
    QCOMPARE(start->text(), button);
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->value(), 0);
    QCOMPARE(successPanel->text(), QStringLiteral("成功次数:0"));

    QSignalSpy closed(dialog.get(), &zev::StayOnTopDialog::closed);
    dialog->show();
    QVERIFY(workspace.port.isOpen());

    // The installed procedure runs on the button, alone, with the line open.
    workspace.texts.successLabel = QStringLiteral("Successes: ");
    int runs = 0;
    dialog->setProcedure([&] {
        ++runs;
        QVERIFY(!start->isEnabled());
        QVERIFY(dialog->isBusy());
        dialog->setProgress(55);
        dialog->setSuccessCount(3);
        start->click();
        QVERIFY(workspace.port.isOpen());
    });
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(runs, 1);
    QVERIFY(start->isEnabled());
    QVERIFY(!dialog->isBusy());
    QCOMPARE(progress->value(), 55);
    QCOMPARE(successPanel->text(), QStringLiteral("Successes: 3"));
    QCOMPARE(closed.count(), 0);

    // Closing resets the progress and the success panel and lets the port go.
    QVERIFY(dialog->close());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(progress->value(), 0);
    QCOMPARE(successPanel->text(), QStringLiteral("Successes: 0"));
    QVERIFY(!workspace.port.isOpen());

    // Reopening opens the port again. By keyboard, the button keeps the focus through a
    // session, so that the next one starts with the same key, after a failure too.
    dialog->show();
    QVERIFY(workspace.port.isOpen());
    QApplication::setActiveWindow(dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QTRY_VERIFY(start->hasFocus());
    MessageBoxAnswerer answerer;
    bool fails = false;
    dialog->setProcedure([&] {
        ++runs;
        if (fails)
            dialog->showTransferFailure();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(runs, 2);
    QVERIFY(start->hasFocus());
    fails = true;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(runs, 3);
    QCOMPARE(answerer.seen.size(), 1);
    // The offscreen platform has no window manager to give the activation back after the box.
    QApplication::setActiveWindow(dialog.get());
    QVERIFY(start->hasFocus());

    // A second close tells again.
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(closed.count(), 2);
}

void RadioDialogsTest::transferFailureMessage() {
    zev::Workspace workspace;
    workspace.texts.transferFailed = QStringLiteral("Transfer failed.");
    zev::ReadDialog dialog(workspace);
    MessageBoxAnswerer answerer;
    dialog.showTransferFailure();
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().text, QStringLiteral("Transfer failed."));
    QCOMPARE(answerer.seen.first().buttons, QMessageBox::Ok);
    QCOMPARE(answerer.seen.first().icon, QMessageBox::NoIcon);
}

void RadioDialogsTest::portOpenFailure() {
    QTemporaryDir folder;
    const QString device = folder.path() + QStringLiteral("/ttyGone");
    zev::Workspace workspace;
    workspace.port.setPort(3, device);
    zev::WriteDialog dialog(workspace);
    MessageBoxAnswerer answerer;
    dialog.show();
    QVERIFY(answerer.waitForBoxes());
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Critical);
    QVERIFY2(answerer.seen.first().text.contains(device), qPrintable(answerer.seen.first().text));
    QVERIFY(!workspace.port.isOpen());
    QVERIFY(dialog.isVisible());
}

void RadioDialogsTest::powerDialog() {
    PtyPair terminal;
    zev::Workspace workspace;
    workspace.port.setPort(1, terminal.slavePath());
    zev::PowerDialog dialog(workspace);
    QCOMPARE(dialog.objectName(), QStringLiteral("TForm7"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("功率调整"));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto* high = control<QLineEdit>(&dialog, "Edit1");
    auto* low = control<QLineEdit>(&dialog, "Edit2");
    auto* voltage = control<QComboBox>(&dialog, "ComboBox1");
    auto* read = control<QPushButton>(&dialog, "DsFancyButton1");
    auto* write = control<QPushButton>(&dialog, "DsFancyButton2");
    QVERIFY(high && low && voltage && read && write);
    QCOMPARE(high->text(), QString());
    QCOMPARE(high->maxLength(), 3);
    QCOMPARE(low->maxLength(), 3);
    QCOMPARE(voltage->count(), 3);
    QCOMPARE(voltage->itemText(0), QStringLiteral("0"));
    QCOMPARE(voltage->itemText(2), QStringLiteral("2"));
    QCOMPARE(voltage->currentIndex(), 1);
    QVERIFY(read->isEnabled());
    QVERIFY(!write->isEnabled());
    QCOMPARE(read->text(), QStringLiteral("读出"));
    QCOMPARE(write->text(), QStringLiteral("写入"));
    QCOMPARE(control<QLabel>(&dialog, "Label1")->text(), QStringLiteral("高功率："));
    QCOMPARE(control<QLabel>(&dialog, "Label2")->text(), QStringLiteral("低电压："));
    QCOMPARE(control<QLabel>(&dialog, "Label3")->text(), QStringLiteral("低功率："));

    QStringList runs;
    dialog.setReadProcedure([&] {
        runs << "read";
        QVERIFY(workspace.port.isOpen());
        high->setText(QStringLiteral("200"));
        write->setEnabled(true);
    });
    dialog.setWriteProcedure([&] {
        runs << "write";
        write->setEnabled(false);
    });
    dialog.show();
    QTest::mouseClick(read, Qt::LeftButton);
    QTest::mouseClick(write, Qt::LeftButton);
    QTest::mouseClick(read, Qt::LeftButton);
    QCOMPARE(runs, (QStringList{"read", "write", "read"}));

    // Fields and the write button outlive a close.
    QVERIFY(dialog.close());
    QVERIFY(!workspace.port.isOpen());
    dialog.show();
    QCOMPARE(high->text(), QStringLiteral("200"));
    QVERIFY(write->isEnabled());
}

void RadioDialogsTest::aboutBox() {
    zev::AboutBox about;
    QCOMPARE(about.objectName(), QStringLiteral("TForm5"));
    QCOMPARE(about.size(), QSize(357, 202));
    QCOMPARE(about.windowTitle(), QStringLiteral("关于"));
    QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!about.isModal());
    QCOMPARE(control<QLabel>(&about, "Label1")->text(), QStringLiteral("ZEV-481对讲机编程软件"));
    QCOMPARE(control<QLabel>(&about, "Label2")->text(), QStringLiteral("版本：481-1.001"));
    QVERIFY(!control<QLabel>(&about, "Label3")->text().isEmpty());
    QVERIFY(!control<QLabel>(&about, "Label4")->text().isEmpty());
    QVERIFY(!control<QLabel>(&about, "Image1")->pixmap().isNull());
    QCOMPARE(control<QPushButton>(&about, "TeButton1")->text(), QStringLiteral("退出（&C）"));
    QSignalSpy closed(&about, &zev::StayOnTopDialog::closed);
    about.show();
    QTest::mouseClick(control<QPushButton>(&about, "TeButton1"), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(closed.count(), 1);
}

QTEST_MAIN(RadioDialogsTest)
#include "tst_radiodialogs.moc"
