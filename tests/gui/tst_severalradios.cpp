#include "tst_mainwindow_support.h"

#include "app/inifile.h"
#include "app/settings.h"
#include "chanfile/channelfile.h"
#include "jobs/writelog.h"
#include "planmodel.h"
#include "severalradiosdialog.h"

#include "frames.h"
#include "programrun.h"
#include "simulatorprocess.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

using namespace zevtest;
using namespace testsupport;

// Write to several radios…: the current plan written to every ticked radio at once against
// rh4800-sim processes at a radio's own pace, each with its own result line; the choice kept.
class SeveralRadiosTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void writesEveryTickedRadioAndKeepsTheChoice();
    void aSilentRadioFailsAlone();
    void stopEndsEverySession();
};

namespace {

// A window whose COM1 to COM3 lead to simulated radios, with two channels on 144-148MHz.
struct Bench {
    explicit Bench(const QList<QStringList>& radios) {
        folder.writeInstallLog(true);
        qputenv("XDG_STATE_HOME", (folder.path() + QStringLiteral("state")).toLocal8Bit());
        zev::StartupOptions options;
        for (qsizetype i = 0; i < radios.size(); ++i) {
            traces << folder.path() + QStringLiteral("radio%1.trace").arg(i + 1);
            sims.push_back(std::make_unique<SimulatorProcess>(
                QStringList{"--trace", traces.last()} + radios.at(i)));
            options.portDevices[int(i) + 1] = sims.back()->terminal();
        }
        window = startProgram(folder, options);
        if (!window)
            return;
        zev::Plan plan;
        plan.band = QStringLiteral("144-148MHz");
        plan.options = zev::resetOptionIndices;
        plan.setChannel(1, {"145.50000", "67.0", "145.50000", "D023N", "High", "ON", "OFF"});
        plan.setChannel(2, {"146.52000", "OFF", "146.52000", "OFF", "Low", "OFF", "ON"});
        window->workspace().showPlan(plan);
        planFile = folder.path() + QStringLiteral("plan.z81");
        saved = zev::saveChannelFile(planFile, plan, {}).ok();
    }

    // The dialog as the menu item opens it, its rows ticked for the radios given.
    std::unique_ptr<zev::SeveralRadiosDialog> dialog(const QList<int>& ticked) {
        auto dialog = std::make_unique<zev::SeveralRadiosDialog>(
            window->workspace(), settings, QStringLiteral("(window)"), window.get());
        dialog->show();
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("RadiosTable"));
        const QStringList devices = dialog->devices();
        for (int radio : ticked)
            table->item(int(devices.indexOf(sims.at(radio)->terminal())), 0)
                ->setCheckState(Qt::Checked);
        return dialog;
    }
    // The result line of a radio's row.
    QString result(const zev::SeveralRadiosDialog& dialog, int radio) const {
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("RadiosTable"));
        return table->item(int(dialog.devices().indexOf(sims.at(radio)->terminal())), 2)->text();
    }
    bool holdsPlan(int radio) const {
        return runCli({"diff", "--port", sims.at(radio)->terminal(), planFile}).exitCode == 0;
    }
    QStringList heard(int radio) {
        sims.at(radio)->stop();
        return heardFrames(traces.at(radio));
    }

    ProgramFolder folder;
    zev::IniFile settings{folder.path() + zev::settingsFileName()};
    std::vector<std::unique_ptr<SimulatorProcess>> sims;
    QStringList traces;
    std::unique_ptr<zev::MainWindow> window;
    QString planFile;
    bool saved = false;
};

QString summary(const zev::SeveralRadiosDialog& dialog) {
    return dialog.findChild<QLabel*>(QStringLiteral("SummaryLabel"))->text();
}

} // namespace

void SeveralRadiosTest::writesEveryTickedRadioAndKeepsTheChoice() {
    Bench bench({{"--demo"}, {}, {}});
    QVERIFY(bench.window && bench.saved);
    // The menu item opens the dialog over the window; Close ends it.
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&opened] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<zev::SeveralRadiosDialog*>(widget);
                dialog && dialog->isVisible() && !opened) {
                opened = true;
                dialog->findChild<QPushButton*>(QStringLiteral("CloseButton"))->click();
            }
    });
    poll.start(10);
    control<QAction>(bench.window.get(), "WriteSeveralItem")->trigger();
    poll.stop();
    QVERIFY(opened);

    {
        auto dialog = bench.dialog({0, 1});
        dialog->findChild<QPushButton*>(QStringLiteral("WriteButton"))->click();
        QVERIFY(dialog->isWriting());
        QTRY_COMPARE_WITH_TIMEOUT(summary(*dialog), QStringLiteral("2 of 2 radios written."),
                                  30000);
        for (int radio : {0, 1})
            QVERIFY2(bench.result(*dialog, radio).startsWith("verified  backup "),
                     qPrintable(bench.result(*dialog, radio)));
        QCOMPARE(bench.result(*dialog, 2), QString());
    }
    QVERIFY(bench.holdsPlan(0));
    QVERIFY(bench.holdsPlan(1));
    QCOMPARE(bench.heard(2), QStringList()); // not ticked: not touched
    // A line in the write log for each radio written.
    const zev::Result<zev::writelog::Contents> log =
        zev::writelog::read(zev::writelog::defaultPath());
    QVERIFY2(log, qPrintable(log.message()));
    QStringList logged;
    for (const zev::WriteRecord& record : log->records) {
        QCOMPARE(record.outcome, zev::WriteOutcome::Verified);
        QCOMPARE(record.planFile, QStringLiteral("(window)"));
        logged << record.device;
    }
    logged.sort();
    QStringList written{bench.sims.at(0)->terminal(), bench.sims.at(1)->terminal()};
    written.sort();
    QCOMPARE(logged, written);
    // The next time, the same radios come ticked.
    zev::SeveralRadiosDialog again(bench.window->workspace(), bench.settings, QString());
    auto* table = again.findChild<QTableWidget*>(QStringLiteral("RadiosTable"));
    QStringList ticked;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->checkState() == Qt::Checked)
            ticked << again.devices().at(row);
    QCOMPARE(ticked, (QStringList{bench.sims.at(0)->terminal(), bench.sims.at(1)->terminal()}));
}

void SeveralRadiosTest::aSilentRadioFailsAlone() {
    Bench bench({{}, {"--silent"}});
    QVERIFY(bench.window && bench.saved);
    auto dialog = bench.dialog({0, 1});
    dialog->findChild<QPushButton*>(QStringLiteral("WriteButton"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(summary(*dialog), QStringLiteral("1 of 2 radios written."), 30000);
    QVERIFY2(bench.result(*dialog, 0).startsWith("verified"), qPrintable(bench.result(*dialog, 0)));
    QVERIFY2(bench.result(*dialog, 1).startsWith("failed: "), qPrintable(bench.result(*dialog, 1)));
    QVERIFY(bench.holdsPlan(0));
}

void SeveralRadiosTest::stopEndsEverySession() {
    Bench bench({{"--demo"}, {"--demo"}});
    QVERIFY(bench.window && bench.saved);
    auto dialog = bench.dialog({0, 1});
    dialog->findChild<QPushButton*>(QStringLiteral("WriteButton"))->click();
    // Stopped in the write itself, after the backup.
    QTRY_VERIFY_WITH_TIMEOUT(bench.result(*dialog, 0) == QStringLiteral("writing") &&
                                 bench.result(*dialog, 1) == QStringLiteral("writing"),
                             30000);
    dialog->findChild<QPushButton*>(QStringLiteral("StopButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isWriting(), 30000);
    for (int radio : {0, 1}) {
        QVERIFY2(bench.result(*dialog, radio).startsWith("stopped: "),
                 qPrintable(bench.result(*dialog, radio)));
        const QStringList heard = bench.heard(radio);
        QVERIFY2(!heard.isEmpty() && heard.last() == QStringLiteral("646F"),
                 qPrintable(heard.join(' ')));
    }
}

QTEST_MAIN(SeveralRadiosTest)
#include "tst_severalradios.moc"
