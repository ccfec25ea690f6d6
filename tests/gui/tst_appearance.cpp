#include "tst_mainwindow_support.h"

#include "aboutbox.h"
#include "contrast.h"
#include "legibleicon.h"
#include "windowappearance.h"

#include "pdftext.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStyle>
#include <QThread>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using namespace zevtest;
using zev::Appearance;

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// The desktop's settings portal as GNOME and KDE run it, saying only what colour scheme the
// user prefers.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint colorScheme = 0;

    // The user picks another scheme on the desktop.
    void change(QDBusConnection& bus, uint scheme) {
        colorScheme = scheme;
        QDBusMessage signal = QDBusMessage::createSignal(
            portalPath, QStringLiteral("org.freedesktop.portal.Settings"),
            QStringLiteral("SettingChanged"));
        signal << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
               << QVariant::fromValue(QDBusVariant(scheme));
        bus.send(signal);
    }

public slots:
    // As the portal answers Read: the value in a variant inside the reply's variant.
    QDBusVariant Read(const QString& group, const QString& key) {
        if (group == QLatin1String("org.freedesktop.appearance") &&
            key == QLatin1String("color-scheme"))
            return QDBusVariant(QVariant::fromValue(QDBusVariant(colorScheme)));
        return QDBusVariant(QVariant::fromValue(QDBusVariant(QString())));
    }
};

bool isDark(const QPalette& palette) {
    return zev::isDarkBackground(palette.color(QPalette::Window));
}

// How well an icon stands out from the colour behind it: the contrast of its outline, the
// opaque pixels next to the smoothed edge or to the background. Half of the outline must reach
// the ratio; a coloured detail or two may stay softer.
double outlineContrast(const QImage& icon, const QColor& background) {
    const QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    const auto opaque = [&image](int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
               qAlpha(image.pixel(x, y)) >= 230;
    };
    QList<double> ratios;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!opaque(x, y) ||
                (opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1)))
                continue;
            const QColor pixel = QColor::fromRgba(image.pixel(x, y));
            const double alpha = pixel.alphaF();
            const QColor seen =
                QColor::fromRgbF(float(pixel.redF() * alpha + background.redF() * (1 - alpha)),
                                 float(pixel.greenF() * alpha + background.greenF() * (1 - alpha)),
                                 float(pixel.blueF() * alpha + background.blueF() * (1 - alpha)));
            ratios << zev::contrastRatio(seen, background);
        }
    }
    if (ratios.isEmpty())
        return 1.0;
    std::sort(ratios.begin(), ratios.end());
    return ratios.at(ratios.size() / 2);
}

// The strongest contrast of any pixel of area against fill: text that can be read has pixels
// of the text colour.
double strongestContrast(const QImage& image, const QRect& area, const QColor& fill) {
    double strongest = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            strongest = std::max(strongest, zev::contrastRatio(image.pixelColor(x, y), fill));
    return strongest;
}

QImage pdfPage(const QString& path) {
    QTemporaryDir folder;
    const QString stem = folder.filePath(QStringLiteral("page"));
    const testsupport::ProgramRun drawn = testsupport::runProgram(
        QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                     QStringLiteral("-r"), QStringLiteral("40"), path, stem});
    return drawn.exitCode == 0 ? QImage(stem + QStringLiteral(".png")) : QImage();
}

const char* const appearanceItems[] = {"AppearanceSystemItem", "AppearanceLightItem",
                                       "AppearanceDarkItem"};

} // namespace

// Options > Appearance: the window light or dark as the desktop prefers or as forced, kept in
// myini.ini, and every part of it legible either way.
class AppearanceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void contrast_data();
    void contrast();
    void storedAppearance_data();
    void storedAppearance();
    void legibleInEither_data();
    void legibleInEither();
    void switchingAndKeeping();
    void followsTheDesktop();
    void printedSheetStaysBlackOnWhite();

private:
    QProcess m_bus;
    QString m_busAddress;
};

// Every window here talks to a session bus of the test's own: a desktop's portal must not
// decide what System shows.
void AppearanceTest::initTestCase() {
    quietOffscreenWarnings();
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (!daemon.isEmpty()) {
        m_bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                             QStringLiteral("--print-address=1")});
        if (m_bus.waitForStarted() && m_bus.waitForReadyRead(10'000))
            m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_busAddress.isEmpty()
                                            ? QByteArray("unix:path=/nonexistent/zev-no-bus")
                                            : m_busAddress.toUtf8());
}

void AppearanceTest::cleanupTestCase() {
    if (m_bus.state() != QProcess::NotRunning) {
        m_bus.terminate();
        m_bus.waitForFinished();
    }
}

void AppearanceTest::contrast_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("the same") << QColor(0x35, 0x35, 0x35) << QColor(0x35, 0x35, 0x35) << 1.0;
    QTest::newRow("#777 on white, just under 4.5")
        << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
    QTest::newRow("red on dark grey")
        << QColor(0xc0, 0x39, 0x2b) << QColor(0x35, 0x35, 0x35) << 2.26;
}

// The ratio as the WCAG defines it, and readableOn() reaching a ratio with the colour's hue.
void AppearanceTest::contrast() {
    QFETCH(QColor, colour);
    QFETCH(QColor, background);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(zev::contrastRatio(colour, background) - ratio) < 0.01,
             qPrintable(QString::number(zev::contrastRatio(colour, background))));
    QCOMPARE(zev::contrastRatio(background, colour), zev::contrastRatio(colour, background));

    for (double wanted : {zev::GraphicContrast, zev::TextContrast}) {
        const QColor readable = zev::readableOn(colour, background, wanted);
        QVERIFY(zev::contrastRatio(readable, background) >= wanted);
        if (ratio >= wanted)
            QCOMPARE(readable, colour); // what reads already stays
        else if (colour.hslHue() >= 0 && colour != background)
            QVERIFY(qAbs(readable.hslHue() - colour.hslHue()) <= 2);
    }
}

void AppearanceTest::storedAppearance_data() {
    QTest::addColumn<QByteArray>("stored"); // the [view] section's appearance, "" for none
    QTest::addColumn<QString>("checkedItem");
    QTest::addColumn<bool>("dark");
    // Offscreen, the platform is light and no portal runs: System shows light.
    QTest::newRow("nothing stored") << QByteArray() << "AppearanceSystemItem" << false;
    QTest::newRow("system") << QByteArray("system") << "AppearanceSystemItem" << false;
    QTest::newRow("light") << QByteArray("light") << "AppearanceLightItem" << false;
    QTest::newRow("dark") << QByteArray("dark") << "AppearanceDarkItem" << true;
    QTest::newRow("hand-written Dark") << QByteArray(" Dark") << "AppearanceDarkItem" << true;
    QTest::newRow("unknown") << QByteArray("purple") << "AppearanceSystemItem" << false;
}

// The stored appearance at start: its menu item checked, and a palette whose text reads.
void AppearanceTest::storedAppearance() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, checkedItem);
    QFETCH(bool, dark);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    if (!stored.isEmpty())
        folder.writeFile(QStringLiteral("myini.ini"), "[view]\r\nappearance=" + stored + "\r\n");
    auto window = startProgram(folder);
    QVERIFY(window);
    for (const char* name : appearanceItems) {
        QAction* item = control<QAction>(window.get(), name);
        QVERIFY2(item && item->isCheckable(), name);
        QCOMPARE(item->isChecked(), checkedItem == QLatin1String(name));
    }
    const QPalette palette = window->palette();
    QCOMPARE(isDark(palette), dark);
    QCOMPARE(isDark(QApplication::palette()), dark);
    if (dark)
        QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    // Text on its ground; the highlight marks a selection, and its text is seen as a block.
    const std::tuple<QPalette::ColorRole, QPalette::ColorRole, double> pairs[] = {
        {QPalette::Text, QPalette::Base, zev::TextContrast},
        {QPalette::WindowText, QPalette::Window, zev::TextContrast},
        {QPalette::ButtonText, QPalette::Button, zev::TextContrast},
        {QPalette::ToolTipText, QPalette::ToolTipBase, zev::TextContrast},
        {QPalette::HighlightedText, QPalette::Highlight, zev::GraphicContrast}};
    for (const auto& [text, background, wanted] : pairs)
        QVERIFY2(zev::contrastRatio(palette.color(text), palette.color(background)) >= wanted,
                 qPrintable(QStringLiteral("role %1 on %2").arg(text).arg(background)));
}

void AppearanceTest::legibleInEither_data() {
    QTest::addColumn<QByteArray>("appearance");
    QTest::newRow("light") << QByteArray("light");
    QTest::newRow("dark") << QByteArray("dark");
}

// Every toolbar picture stands out from the toolbar, the about box's from the box, and the grid's
// cells read, while the grid is disabled (under a radio dialog or the about box) too.
void AppearanceTest::legibleInEither() {
    QFETCH(QByteArray, appearance);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    folder.writeFile(QStringLiteral("myini.ini"), "[view]\r\nappearance=" + appearance + "\r\n");
    auto window = startProgram(folder);
    QVERIFY(window);
    QCOMPARE(isDark(window->palette()), appearance == "dark");

    auto* toolBar = control<QToolBar>(window.get(), "ToolBar1");
    const QList<QToolButton*> buttons =
        toolBar->findChildren<QToolButton*>(QRegularExpression(QStringLiteral("^ToolButton\\d+$")));
    QCOMPARE(buttons.size(), 12);
    for (QToolButton* button : buttons) {
        // The toolbar as drawn, where the button shows it: beside the picture.
        const QColor background = button->grab().toImage().pixelColor(1, 1);
        const QImage icon = button->icon().pixmap(button->iconSize(), QIcon::Normal).toImage();
        const double ratio = outlineContrast(icon, background);
        QVERIFY2(ratio >= zev::GraphicContrast, qPrintable(QStringLiteral("%1: %2 on %3")
                                                               .arg(button->objectName())
                                                               .arg(ratio)
                                                               .arg(background.name())));
    }
    QWidget* about = window->aboutBox();
    auto* picture = about->findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(picture);
    QVERIFY(outlineContrast(picture->pixmap().toImage(),
                            about->palette().color(QPalette::Window)) >= zev::GraphicContrast);

    zev::ChannelGrid* grid = gridOf(*window);
    window->workspace().plan.setCell(1, 1, QStringLiteral("446.00625"));
    window->workspace().plan.setCell(1, 2, QStringLiteral("145.12500"));
    QCOMPARE(grid->currentIndex(), grid->model()->index(1, 1));
    const auto checkCells = [&](const char* state) {
        const QImage image = grid->viewport()->grab().toImage();
        // A header cell, a label cell, the selected cell and another cell of the plan.
        for (const auto& [column, row] : {std::pair{1, 0}, {0, 2}, {1, 1}, {1, 2}}) {
            const QRect cell = grid->visualRect(grid->model()->index(row, column));
            // Inside the frame lines and the selected cell's mark, where the text is.
            const QRect inside = cell.adjusted(3, 3, -3, -3);
            const QColor fill = image.pixelColor(inside.left(), inside.top());
            const double ratio = strongestContrast(image, inside, fill);
            QVERIFY2(ratio >= zev::TextContrast,
                     qPrintable(QStringLiteral("%1, cell %2,%3: %4 on %5")
                                    .arg(QLatin1String(state))
                                    .arg(column)
                                    .arg(row)
                                    .arg(ratio)
                                    .arg(fill.name())));
        }
    };
    checkCells("enabled");
    control<QAction>(window.get(), "N16")->trigger(); // About disables the windows
    QVERIFY(!grid->isEnabled());
    checkCells("disabled");
    QVERIFY(about->close());
}

// A choice in the menu shows at once, lasts through a restart through myini.ini, and System
// gives the platform its own style and palette back.
void AppearanceTest::switchingAndKeeping() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    const QString platformStyle = QApplication::style()->name();
    const QColor platformWindow = QApplication::palette().color(QPalette::Window);
    {
        auto window = startProgram(folder);
        QVERIFY(window);
        auto* read = control<QToolButton>(window.get(), "ToolButton6");
        const QImage lightIcon = read->icon().pixmap(30, 30).toImage();
        control<QAction>(window.get(), "AppearanceDarkItem")->trigger();
        // The windows take the application's new palette as they handle their events.
        QTRY_VERIFY(isDark(window->palette()));
        QTRY_VERIFY(isDark(read->palette()));
        QVERIFY(read->icon().pixmap(30, 30).toImage() != lightIcon); // drawn for the dark
        QVERIFY(control<QAction>(window.get(), "AppearanceDarkItem")->isChecked());
        QVERIFY(!control<QAction>(window.get(), "AppearanceSystemItem")->isChecked());

        control<QAction>(window.get(), "AppearanceSystemItem")->trigger();
        QCOMPARE(QApplication::style()->name(), platformStyle);
        QCOMPARE(QApplication::palette().color(QPalette::Window), platformWindow);
        QCOMPARE(read->icon().pixmap(30, 30).toImage(), lightIcon);
        QVERIFY(window->close());
    }
    // System, the default, leaves the file as it was.
    QVERIFY(!folder.readFile(QStringLiteral("myini.ini")).contains("appearance"));
    {
        auto window = startProgram(folder);
        QVERIFY(window);
        control<QAction>(window.get(), "AppearanceDarkItem")->trigger();
        QVERIFY(window->close());
    }
    const QByteArray settings = folder.readFile(QStringLiteral("myini.ini"));
    QVERIFY2(settings.contains("[view]") && settings.contains("appearance=dark"),
             settings.constData());
    {
        auto window = startProgram(folder);
        QVERIFY(window);
        QVERIFY(isDark(window->palette()));
        QVERIFY(control<QAction>(window.get(), "AppearanceDarkItem")->isChecked());
        control<QAction>(window.get(), "AppearanceLightItem")->trigger();
        QTRY_VERIFY(!isDark(window->palette()));
        QVERIFY(window->close());
    }
    QVERIFY(folder.readFile(QStringLiteral("myini.ini")).contains("appearance=light"));
    // The window gone, the application has its own look back.
    QCOMPARE(QApplication::style()->name(), platformStyle);
    QCOMPARE(QApplication::palette().color(QPalette::Window), platformWindow);
}

// System follows the desktop's portal, at start and when the user changes it there; a forced
// appearance does not.
void AppearanceTest::followsTheDesktop() {
    if (m_busAddress.isEmpty())
        QSKIP("dbus-daemon is not installed (package dbus-daemon)");
    QDBusConnection portalBus =
        QDBusConnection::connectToBus(m_busAddress, QStringLiteral("fake-portal"));
    QVERIFY(portalBus.isConnected());
    // The portal answers from a thread of its own, as from a process of its own: the window
    // waits for its answer.
    QThread portalThread;
    FakePortal portal;
    portal.colorScheme = 1; // prefers dark
    QVERIFY(portalBus.registerObject(portalPath, &portal, QDBusConnection::ExportAllSlots));
    portal.moveToThread(&portalThread);
    portalThread.start();
    QVERIFY(portalBus.registerService(portalService));
    const auto cleanup = qScopeGuard([&] {
        portalBus.unregisterService(portalService);
        portalBus.unregisterObject(portalPath);
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
        portalThread.quit();
        portalThread.wait();
    });

    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    QCOMPARE(window->appearance().desktopScheme(), zev::ColorScheme::Dark);
    QVERIFY(isDark(window->palette()));

    QSignalSpy changed(&window->appearance(), &zev::WindowAppearance::schemeChanged);
    portal.change(portalBus, 2); // prefers light
    QVERIFY(changed.wait(10'000));
    QTRY_VERIFY(!isDark(window->palette()));
    portal.change(portalBus, 1);
    QVERIFY(changed.wait(10'000));
    QTRY_VERIFY(isDark(window->palette()));

    // Forced light stays light whatever the desktop says.
    control<QAction>(window.get(), "AppearanceLightItem")->trigger();
    QTRY_VERIFY(!isDark(window->palette()));
    portal.change(portalBus, 0);
    QTRY_COMPARE(window->appearance().desktopScheme(), zev::ColorScheme::Unknown);
    portal.change(portalBus, 1);
    QTRY_COMPARE(window->appearance().desktopScheme(), zev::ColorScheme::Dark);
    QVERIFY(!isDark(window->palette()));
    QCOMPARE(window->appearance().desktopScheme(), zev::ColorScheme::Dark);
    QVERIFY(window->close());
}

// The sheet is paper: the same black on white from a dark window as from a light one.
void AppearanceTest::printedSheetStaysBlackOnWhite() {
    QTemporaryDir out;
    QImage pages[2];
    for (int dark = 0; dark < 2; ++dark) {
        ProgramFolder folder;
        folder.writeInstallLog(true);
        folder.writeFile(QStringLiteral("myini.ini"),
                         dark ? "[view]\r\nappearance=dark\r\n" : "[view]\r\nappearance=light\r\n");
        auto window = startProgram(folder);
        QVERIFY(window);
        QCOMPARE(isDark(window->palette()), bool(dark));
        window->workspace().plan.setCell(1, 1, QStringLiteral("145.12500"));
        const QString path = out.filePath(QStringLiteral("sheet%1.pdf").arg(dark));
        const zev::Status written = window->exportSheetPdfTo(path);
        QVERIFY2(written.ok(), qPrintable(written.message()));
        pages[dark] = pdfPage(path);
        if (pages[dark].isNull())
            QSKIP("pdftoppm is not installed (package poppler-utils)");
        QVERIFY(window->close());
    }
    QCOMPARE(pages[1], pages[0]);
    const QImage& page = pages[1];
    QCOMPARE(page.pixelColor(2, 2), QColor(Qt::white));
    int white = 0;
    int darkest = 255;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            white += pixel == QColor(Qt::white);
            darkest = std::min(darkest, pixel.lightness());
        }
    QVERIFY(white > page.width() * page.height() * 8 / 10);
    QVERIFY(darkest < 0x30); // the text is black
}

QTEST_MAIN(AppearanceTest)
#include "tst_appearance.moc"
