#include "windowappearance.h"

#include "contrast.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStyle>
#include <QStyleFactory>

namespace zev {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
const QString forcedStyle = QStringLiteral("Fusion");
// A start must not wait long on a portal that does not answer.
constexpr int portalTimeoutMs = 1000;

// Read wraps the value in one variant more than the signal does (and older portals in two).
uint unwrapped(QVariant value) {
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value.toUInt();
}

ColorScheme schemeOf(const QPalette& palette) {
    return isDarkBackground(palette.color(QPalette::Window)) ? ColorScheme::Dark
                                                             : ColorScheme::Light;
}

QString styleName(const QStyle* style) {
    return style ? style->name() : QString();
}

} // namespace

WindowAppearance::WindowAppearance(QObject* parent)
    : QObject(parent), m_platformStyle(styleName(QApplication::style())),
      m_platformPalette(QApplication::palette()), m_platformScheme(schemeOf(m_platformPalette)) {
    listenToPortal();
}

WindowAppearance::~WindowAppearance() {
    if (m_overridden) {
        QApplication::setStyle(m_platformStyle);
        QApplication::setPalette(m_platformPalette);
    }
}

void WindowAppearance::listenToPortal() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(portalService, portalPath, portalSettings, QStringLiteral("SettingChanged"), this,
                SLOT(portalSettingChanged(QDBusMessage)));
    // Only a portal that is running: starting one for us could keep the window waiting.
    const QDBusConnectionInterface* busInterface = bus.interface();
    if (!busInterface || !busInterface->isServiceRegistered(portalService).value())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, portalSettings,
                                                       QStringLiteral("Read"));
    call << appearanceGroup << colorSchemeKey;
    const QDBusMessage reply = bus.call(call, QDBus::Block, portalTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        m_desktop = portalColorScheme(unwrapped(reply.arguments().constFirst()));
}

void WindowAppearance::portalSettingChanged(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() != 3 || arguments.at(0).toString() != appearanceGroup ||
        arguments.at(1).toString() != colorSchemeKey)
        return;
    const ColorScheme desktop = portalColorScheme(unwrapped(arguments.at(2)));
    if (desktop == m_desktop)
        return;
    m_desktop = desktop;
    apply();
}

void WindowAppearance::setAppearance(Appearance appearance) {
    m_appearance = appearance;
    apply();
}

ColorScheme WindowAppearance::scheme() const {
    return schemeOf(QApplication::palette());
}

void WindowAppearance::apply() {
    const ColorScheme before = scheme();
    const ColorScheme wanted = chosenScheme(m_appearance, m_desktop);
    if (wanted == ColorScheme::Unknown || wanted == m_platformScheme) {
        if (m_overridden) {
            QApplication::setStyle(m_platformStyle);
            QApplication::setPalette(m_platformPalette);
            m_overridden = false;
        }
    } else {
        if (styleName(QApplication::style()).compare(forcedStyle, Qt::CaseInsensitive) != 0)
            QApplication::setStyle(forcedStyle);
        QApplication::setPalette(wanted == ColorScheme::Dark ? darkPalette() : lightPalette());
        m_overridden = true;
    }
    if (scheme() != before)
        emit schemeChanged();
}

QPalette WindowAppearance::lightPalette() {
    QStyle* fusion = QStyleFactory::create(forcedStyle);
    const QPalette palette = fusion ? fusion->standardPalette() : QPalette(Qt::lightGray);
    delete fusion;
    return palette;
}

QPalette WindowAppearance::darkPalette() {
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x24, 0x24, 0x24);
    const QColor text(0xee, 0xee, 0xee);
    const QColor disabledText(0xa0, 0xa0, 0xa0);
    const QColor highlight(0x3d, 0x7a, 0xc6);
    QPalette palette;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::WindowText, disabled ? disabledText : text);
        palette.setColor(group, QPalette::Base, disabled ? window : base);
        palette.setColor(group, QPalette::AlternateBase, QColor(0x2e, 0x2e, 0x2e));
        palette.setColor(group, QPalette::ToolTipBase, QColor(0x20, 0x20, 0x20));
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::PlaceholderText, disabledText);
        palette.setColor(group, QPalette::Text, disabled ? disabledText : text);
        palette.setColor(group, QPalette::Button, window);
        palette.setColor(group, QPalette::ButtonText, disabled ? disabledText : text);
        palette.setColor(group, QPalette::BrightText, QColor(0xff, 0x60, 0x60));
        palette.setColor(group, QPalette::Light, QColor(0x4a, 0x4a, 0x4a));
        palette.setColor(group, QPalette::Midlight, QColor(0x40, 0x40, 0x40));
        palette.setColor(group, QPalette::Mid, QColor(0x60, 0x60, 0x60));
        palette.setColor(group, QPalette::Dark, QColor(0x1e, 0x1e, 0x1e));
        palette.setColor(group, QPalette::Shadow, QColor(0x12, 0x12, 0x12));
        palette.setColor(group, QPalette::Highlight,
                         disabled ? QColor(0x50, 0x50, 0x50) : highlight);
        palette.setColor(group, QPalette::HighlightedText, disabled ? disabledText : Qt::white);
        palette.setColor(group, QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
        palette.setColor(group, QPalette::LinkVisited, QColor(0xc5, 0x8a, 0xf9));
    }
    return palette;
}

} // namespace zev
