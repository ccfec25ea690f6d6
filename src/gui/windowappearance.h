#pragma once

#include "app/appearance.h"

#include <QObject>
#include <QPalette>
#include <QString>

class QDBusMessage;

namespace zev {

// Light or dark, as Options > Appearance chooses: System follows the desktop's preference, which
// the freedesktop portal tells where there is one (GNOME, KDE, ...) and the platform theme's own
// palette shows elsewhere. A scheme other than the platform's is drawn by the Fusion style with
// a palette of its own. The whole application follows; destroying this gives it its own style
// and palette back.
class WindowAppearance : public QObject {
    Q_OBJECT
public:
    explicit WindowAppearance(QObject* parent = nullptr);
    ~WindowAppearance() override;

    Appearance appearance() const { return m_appearance; }
    void setAppearance(Appearance appearance);

    // What the portal says the desktop prefers; Unknown where there is no portal or no preference.
    ColorScheme desktopScheme() const { return m_desktop; }
    // The scheme the application shows now.
    ColorScheme scheme() const;

    static QPalette lightPalette();
    static QPalette darkPalette();

signals:
    void schemeChanged();

public slots:
    // The portal's SettingChanged signal: group, key and value (D-Bus finds public slots only).
    void portalSettingChanged(const QDBusMessage& message);

private:
    void listenToPortal();
    void apply();

    Appearance m_appearance = Appearance::System;
    ColorScheme m_desktop = ColorScheme::Unknown;
    // The platform's own, to go back to.
    QString m_platformStyle;
    QPalette m_platformPalette;
    ColorScheme m_platformScheme = ColorScheme::Light;
    bool m_overridden = false;
};

} // namespace zev
