#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

// Screens of chosen sizes for Qt's offscreen platform, whose own single screen (800 × 800) is too
// small for the main window.
namespace testsupport {

struct TestScreen {
    QString name;
    QRect geometry;
};

// The value of QT_QPA_PLATFORM that gives the offscreen platform these screens, the first one
// primary; their configuration file is written into folder.
inline QByteArray offscreenWithScreens(const QString& folder, const QList<TestScreen>& screens) {
    QJsonArray list;
    for (const TestScreen& screen : screens)
        list.append(QJsonObject{{"name", screen.name},
                                {"x", screen.geometry.x()},
                                {"y", screen.geometry.y()},
                                {"width", screen.geometry.width()},
                                {"height", screen.geometry.height()}});
    const QString path = folder + QStringLiteral("/screens.json");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return "offscreen";
    file.write(QJsonDocument(QJsonObject{{"screens", list}}).toJson());
    return "offscreen:configfile=" + QFile::encodeName(path);
}

// Before the application object exists: a desktop screen, primary, with a laptop and a netbook
// screen beside it. Only where the tests run offscreen; elsewhere the screens stay as they are.
inline void useTestScreens() {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen")
        return;
    static QTemporaryDir folder;
    qputenv("QT_QPA_PLATFORM",
            offscreenWithScreens(folder.path(), {{"desktop", QRect(0, 0, 1920, 1080)},
                                                 {"laptop", QRect(1920, 0, 1366, 768)},
                                                 {"netbook", QRect(3286, 0, 1024, 600)}}));
}

} // namespace testsupport
