#include "legibleicon.h"

#include "contrast.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace zev {

namespace {

QImage renderedSvg(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

class LegibleIconEngine : public QIconEngine {
public:
    explicit LegibleIconEngine(QString path) : m_path(std::move(path)) {}

    QIconEngine* clone() const override { return new LegibleIconEngine(m_path); }
    QString key() const override { return QStringLiteral("zev-legible"); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        const QColor background = QApplication::palette().color(QPalette::Window);
        const QSize pixels = size * scale;
        const QString cacheKey = QStringLiteral("%1x%2 %3 %4")
                                     .arg(pixels.width())
                                     .arg(pixels.height())
                                     .arg(int(mode))
                                     .arg(background.rgba());
        if (const auto found = m_cache.constFind(cacheKey); found != m_cache.constEnd())
            return *found;
        QPixmap pixmap = QPixmap::fromImage(legiblePicture(m_path, pixels, background));
        if (mode != QIcon::Normal) {
            // Greyed (or marked) as the style marks every other icon in that state.
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        pixmap.setDevicePixelRatio(scale);
        m_cache.insert(cacheKey, pixmap);
        return pixmap;
    }

private:
    QString m_path;
    QHash<QString, QPixmap> m_cache;
};

} // namespace

QIcon legibleIcon(const QString& svgPath) {
    return QIcon(new LegibleIconEngine(svgPath));
}

QImage legiblePicture(const QString& svgPath, QSize size, const QColor& background) {
    QImage image = renderedSvg(svgPath, size).convertToFormat(QImage::Format_ARGB32);
    if (!isDarkBackground(background))
        return image;
    QHash<QRgb, QRgb> lifted;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            auto found = lifted.constFind(line[x]);
            if (found == lifted.constEnd())
                found = lifted.insert(
                    line[x],
                    readableOn(QColor::fromRgba(line[x]), background, GraphicContrast).rgba());
            line[x] = *found;
        }
    }
    return image;
}

} // namespace zev
