// What the program makes of a plan, fixed byte for byte: the memory image it would write, the
// channel file it would save, the list it would export. A change anywhere between a file or a
// radio and these outputs shows up here as a differing byte.
//
// After a deliberate change of format, ZEV_GOLDEN_WRITE=1 rewrites the expected files; review
// the diff before committing it.

#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "chanfile/channelcsv.h"
#include "chanfile/channelfile.h"
#include "chanfile/plancompare.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/codec.h"
#include "radio/memoryimage.h"
#include "radio/readprocedure.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include "programrun.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

using namespace zev;

class GoldenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void outputsStayTheSame_data();
    void outputsStayTheSame();
};

namespace {

struct Outputs {
    QByteArray image;
    QByteArray file;
    QByteArray list;
};

// Sixteen bytes to a line, so that a differing byte shows its address in a diff.
QByteArray imageHex(const MemoryImage& image) {
    QByteArray text;
    for (int address = 0; address < MemoryImage::Size; address += 16)
        text += QByteArray::number(address, 16).rightJustified(4, '0') + ' ' +
                image.bytes().mid(address, 16).toHex(' ') + '\n';
    return text;
}

// A plan in the wording of a language pack.
struct Workspace {
    Plan plan;
    Wording wording;

    explicit Workspace(const QString& packName) {
        const std::optional<LanguagePack> pack =
            LanguagePack::load(testsupport::binaryFolder(), packName);
        if (pack)
            applyPackToWording(*pack, wording);
        packLoaded = pack.has_value();
    }
    bool packLoaded = false;

    Outputs outputs() const {
        MemoryImage image;
        codec::encodePlan(plan, wording.words, image);
        return {imageHex(image), formatChannelFile(plan, wording.selectorTexts(plan.options)),
                csv::exportChannels(plan.channels)};
    }
};

QString golden(const QString& name) {
    return QStringLiteral(ZEV_GOLDEN_DATA "/") + name;
}

// The expected bytes, or under ZEV_GOLDEN_WRITE the actual ones stored as expected.
QByteArray expected(const QString& name, const QByteArray& actual) {
    QFile file(golden(name));
    if (qEnvironmentVariableIsSet("ZEV_GOLDEN_WRITE")) {
        if (file.open(QIODevice::WriteOnly))
            file.write(actual);
        return actual;
    }
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("missing expected file ") + golden(name).toUtf8();
    return file.readAll();
}

// Line by line, so that a failure names the first line that differs.
void compareLines(const QByteArray& actual, const QByteArray& wanted, const QString& name) {
    const QList<QByteArray> actualLines = actual.split('\n');
    const QList<QByteArray> wantedLines = wanted.split('\n');
    for (int line = 0; line < std::min(actualLines.size(), wantedLines.size()); ++line)
        if (actualLines[line] != wantedLines[line])
            QFAIL(qPrintable(QStringLiteral("%1, line %2:\n  got  %3\n  want %4")
                                 .arg(name)
                                 .arg(line + 1)
                                 .arg(QString::fromLatin1(actualLines[line].toHex(' ')),
                                      QString::fromLatin1(wantedLines[line].toHex(' ')))));
    QCOMPARE(actualLines.size(), wantedLines.size());
}

} // namespace

void GoldenTest::outputsStayTheSame_data() {
    QTest::addColumn<QString>("source"); // a channel file, or empty: read the factory radio
    QTest::addColumn<QString>("pack");
    QTest::addColumn<QString>("name");
    const QString demo = QStringLiteral(ZEV_DEMO_FILE);
    const QString chinese = golden(QStringLiteral("demo-saved-in-chinese.z81"));
    const QString comma = golden(QStringLiteral("demo-decimal-comma.z81"));
    for (const QString& pack : {QStringLiteral("english"), QStringLiteral("chinese")}) {
        QTest::addRow("demo, %s", qPrintable(pack)) << demo << pack << "demo-" + pack;
        QTest::addRow("saved in chinese, %s", qPrintable(pack))
            << chinese << pack << "chinese-" + pack;
        QTest::addRow("decimal comma, %s", qPrintable(pack)) << comma << pack << "comma-" + pack;
        QTest::addRow("factory radio, %s", qPrintable(pack))
            << QString() << pack << "factory-" + pack;
    }
}

void GoldenTest::outputsStayTheSame() {
    QFETCH(QString, source);
    QFETCH(QString, pack);
    QFETCH(QString, name);
    Workspace workspace(pack);
    QVERIFY(workspace.packLoaded);
    if (source.isEmpty()) {
        RadioSimulator radio;
        VirtualLink link{radio};
        QVERIFY(readRadio(link, workspace.plan, workspace.wording, {}).succeeded());
    } else {
        const Result<LoadedChannelFile> opened = readChannelFile(source);
        QVERIFY2(opened, qPrintable(opened.message()));
        workspace.plan = worded(opened->plan, workspace.wording);
    }

    const Outputs outputs = workspace.outputs();
    compareLines(outputs.image, expected(name + ".hex", outputs.image), name + ".hex");
    compareLines(outputs.file, expected(name + ".z81", outputs.file), name + ".z81");
    compareLines(outputs.list, expected(name + ".csv", outputs.list), name + ".csv");

    // The saved file opens to the same plan.
    const Result<Plan> saved = parseChannelFile(outputs.file);
    QVERIFY(saved);
    QCOMPARE(comparePlans(workspace.plan, saved.value()).size(), 0);
}

QTEST_GUILESS_MAIN(GoldenTest)
#include "tst_golden.moc"
