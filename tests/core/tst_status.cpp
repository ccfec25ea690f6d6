#include "status.h"

#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zev;

using Body = void (*)();
Q_DECLARE_METATYPE(Body)

// Errors as values: reading the value of a failure is a programming error that stops the program.
class StatusTest : public QObject {
    Q_OBJECT
private slots:
    void failureCarriesItsMessage();
    void valueOfAFailureStopsTheProgram_data();
    void valueOfAFailureStopsTheProgram();
};

namespace {

// Runs body in a forked child with its error output discarded; true when the child stopped on an
// abort rather than returning (or crashing in some other way).
bool aborts(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        // Without the test framework's crash report and a core file: the abort is expected.
        std::signal(SIGABRT, SIG_DFL);
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDERR_FILENO);
        body();
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status) &&
           WTERMSIG(status) == SIGABRT;
}

Result<QString> failed() {
    return Status::failure(QStringLiteral("no such file"));
}

} // namespace

void StatusTest::failureCarriesItsMessage() {
    const Result<QString> result = failed();
    QVERIFY(!result.ok());
    QCOMPARE(result.message(), QStringLiteral("no such file"));
    const Result<QString> success = QStringLiteral("plan");
    QVERIFY(success.ok());
    QCOMPARE(success.value(), QStringLiteral("plan"));
    QCOMPARE(success->size(), 4);
}

void StatusTest::valueOfAFailureStopsTheProgram_data() {
    QTest::addColumn<Body>("body");
    QTest::newRow("const value") << Body([] {
        const Result<QString> result = failed();
        volatile qsizetype size = result.value().size();
        (void)size;
    });
    QTest::newRow("value") << Body([] {
        Result<QString> result = failed();
        result.value().append(QLatin1Char('x'));
    });
    QTest::newRow("moved value") << Body([] {
        const QString taken = failed().value();
        volatile qsizetype size = taken.size();
        (void)size;
    });
    QTest::newRow("member") << Body([] {
        const Result<QString> result = failed();
        volatile qsizetype size = result->size();
        (void)size;
    });
}

void StatusTest::valueOfAFailureStopsTheProgram() {
    QFETCH(Body, body);
    QVERIFY(aborts(body));
}

QTEST_GUILESS_MAIN(StatusTest)
#include "tst_status.moc"
