#include "chanfile/channelfile.h"
#include "files.h"
#include "programrun.h"
#include "simulatorprocess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// zev4800-cli where a file is no plain file, and when it is told to stop: output goes only to
// plain files, and nothing keeps the program from ending.
class CliSpecialFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void outputsGoOnlyToPlainFiles_data();
    void outputsGoOnlyToPlainFiles();
    void pipesAreNeverWaitedFor_data();
    void pipesAreNeverWaitedFor();
    void signalsEndTheProgramAtOnce_data();
    void signalsEndTheProgramAtOnce();

private:
    QTemporaryDir m_dir;
    QString m_plan;
};

using namespace testsupport;

namespace {

const QString notPlain = "File access denied: %1 is not a plain file (a pipe, device or socket)";
const QString folder = "File access denied: %1 is a folder, not a file";

// zev4800-cli with its standard error going into a pipe that is full and never read: once it has
// something to say there, it hangs in the write, as under a terminal that is paused.
class StuckProgram {
public:
    explicit StuckProgram(const QStringList& arguments) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        m_errorRead = fds[0];
        ::fcntl(fds[1], F_SETFL, O_NONBLOCK);
        const QByteArray filler(4096, 'x');
        while (::write(fds[1], filler.constData(), size_t(filler.size())) > 0) {
        }
        ::fcntl(fds[1], F_SETFL, 0);

        QList<QByteArray> words{QFile::encodeName(binaryPath("zev4800-cli"))};
        for (const QString& argument : arguments)
            words.append(argument.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        if (::posix_spawn(&m_pid, argv.front(), &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
    }

    ~StuckProgram() {
        if (m_pid > 0 && !m_ended) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &m_status, 0);
        }
        if (m_errorRead >= 0)
            ::close(m_errorRead);
    }

    pid_t pid() const { return m_pid; }

    // Whether it ended within the limit; a hang fails the test instead of the suite.
    bool waitForEnd() {
        m_ended = QTest::qWaitFor([this] { return ::waitpid(m_pid, &m_status, WNOHANG) == m_pid; },
                                  ProcessLimitMs);
        return m_ended;
    }

    // The signal that ended it, 0 when it exited by itself.
    int endingSignal() const { return WIFSIGNALED(m_status) ? WTERMSIG(m_status) : 0; }

private:
    pid_t m_pid = -1;
    int m_errorRead = -1;
    int m_status = 0;
    bool m_ended = false;
};

} // namespace

void CliSpecialFilesTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_plan = m_dir.filePath("plan.z81");
    zev::Plan plan;
    plan.band = "136-174MHz";
    plan.options = zev::resetOptionIndices;
    plan.channels[0] = {"146.52000", "OFF", "146.52000", "OFF", "High", "ON", "ON"};
    QVERIFY(zev::saveChannelFile(m_plan, plan, {}).ok());
}

// A device node or a pipe given as the output stays what it is: the output would otherwise take
// its place as a plain file (as root, who may replace a device node).
void CliSpecialFilesTest::outputsGoOnlyToPlainFiles_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<SpecialFile>("kind");
    QTest::addColumn<QString>("message"); // %1: the output
    const struct {
        const char* name;
        SpecialFile kind;
        QString message;
    } kinds[] = {{"pipe", SpecialFile::Fifo, notPlain},
                 {"device node", SpecialFile::Device, notPlain},
                 {"link to a device node", SpecialFile::LinkToDevice, notPlain},
                 {"folder", SpecialFile::Folder, folder}};
    for (const auto& kind : kinds) {
        QTest::addRow("export to a %s", kind.name)
            << "export" << kind.kind << "zev4800-cli: export failed: " + kind.message + "\n";
        QTest::addRow("sheet to a %s", kind.name)
            << "sheet" << kind.kind << "zev4800-cli: " + kind.message + "\n";
    }
}

void CliSpecialFilesTest::outputsGoOnlyToPlainFiles() {
    QFETCH(QString, command);
    QFETCH(SpecialFile, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString output = dir.filePath("output");
    if (!makeSpecialFile(output, kind))
        QSKIP("a device node can be made only by root");
    const ProgramRun run = runCli({command, m_plan, output, "--lang", "english"});
    QCOMPARE(run.exitCode, 1);
    // The sheet's graphics may warn about the session first.
    const QString err = QString::fromLocal8Bit(run.err);
    QVERIFY2(err.endsWith(QString(message).arg(output)), qPrintable(err));
    QVERIFY(isSpecialFile(output, kind));
}

// A named pipe that no program writes to or reads from: opening it the usual way waits for ever.
void CliSpecialFilesTest::pipesAreNeverWaitedFor_data() {
    QTest::addColumn<QStringList>("arguments"); // %1: the pipe
    QTest::addColumn<QString>("message");
    QTest::newRow("import from a pipe") << QStringList{"import", "%1", "imported.z81"}
                                        << "zev4800-cli: import refused: " + notPlain + "\n";
    QTest::newRow("trace into a pipe")
        << QStringList{"read", "--port", "/dev/null", "--output", "read.z81", "--trace", "%1"}
        << "zev4800-cli: read failed: cannot write the trace: " + notPlain + "\n";
}

void CliSpecialFilesTest::pipesAreNeverWaitedFor() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe");
    QVERIFY(makeSpecialFile(pipe, SpecialFile::Fifo));
    arguments.replaceInStrings("%1", pipe);
    arguments << "--lang"
              << "english";
    QProcess cli;
    cli.setWorkingDirectory(dir.path());
    cli.start(binaryPath("zev4800-cli"), arguments);
    QVERIFY(cli.waitForStarted());
    const bool ended = cli.waitForFinished(ProcessLimitMs);
    if (!ended) {
        cli.kill();
        cli.waitForFinished();
    }
    QVERIFY2(ended, "the program waits for the pipe");
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 1);
    QCOMPARE(QString::fromLocal8Bit(cli.readAllStandardError()), QString(message).arg(pipe));
    QVERIFY(isSpecialFile(pipe, SpecialFile::Fifo));
    QVERIFY(!QFile::exists(dir.filePath("imported.z81")));
    QVERIFY(!QFile::exists(dir.filePath("read.z81")));
}

// During a read from a radio that takes a second for every reply. The first Ctrl-C stops the
// session cleanly; the program then hangs writing its message, as under a paused terminal.
// SIGTERM, and a Ctrl-C after the first, end it there and then, by that signal.
void CliSpecialFilesTest::signalsEndTheProgramAtOnce_data() {
    QTest::addColumn<QList<int>>("sent"); // the last one ends the program
    QTest::newRow("SIGTERM during the session") << QList<int>{SIGTERM};
    QTest::newRow("SIGTERM once Ctrl-C has stopped the session") << QList<int>{SIGINT, SIGTERM};
    QTest::newRow("second Ctrl-C") << QList<int>{SIGINT, SIGINT};
}

void CliSpecialFilesTest::signalsEndTheProgramAtOnce() {
    QFETCH(QList<int>, sent);
    QTemporaryDir dir;
    const QString trace = dir.filePath("read.trace");
    const QString output = dir.filePath("read.z81");
    SimulatorProcess sim({"--demo", "--baud", "0", "--reply-delay", "1000"});
    StuckProgram cli({"read", "--port", sim.terminal(), "--output", output, "--trace", trace,
                      "--lang", "english"});
    QVERIFY(cli.pid() > 0);
    // In its handshake with the radio.
    QVERIFY(QTest::qWaitFor([&] { return readFile(trace).contains(" > 0254414C766578"); },
                            ProcessLimitMs));
    for (qsizetype i = 0; i < sent.size(); ++i) {
        QVERIFY(::kill(cli.pid(), sent.at(i)) == 0);
        // The first Ctrl-C has ended the session with the end frame.
        if (sent.at(i) == SIGINT && i + 1 < sent.size())
            QVERIFY(QTest::qWaitFor([&] { return readFile(trace).contains(" > 646F"); },
                                    ProcessLimitMs));
    }
    QVERIFY2(cli.waitForEnd(), "the program did not end");
    QCOMPARE(cli.endingSignal(), sent.last());
    QVERIFY(!QFile::exists(output));
}

QTEST_GUILESS_MAIN(CliSpecialFilesTest)
#include "tst_clispecialfiles.moc"
