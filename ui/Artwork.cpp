#include "ui/Artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The artwork is compiled into the static library; its resources are registered on first use.
static void InitArtworkResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(artwork);
    return true;
  }();
  (void)done;
}

namespace quorvel::ui {

QString ArtworkPath(const QString& name) {
  InitArtworkResources();
  return QStringLiteral(":/artwork/%1.svg").arg(name);
}

QSize ArtworkSize(const QString& name) {
  const QString path = ArtworkPath(name);
  if (!QFile::exists(path)) return QSize(24, 24);
  return QSvgRenderer(path).defaultSize();
}

QPixmap ArtworkPixmap(const QString& name, QSize size) {
  // Drawn for the sharpest screen, so that a scaled desktop shows it sharp too.
  const auto* app = qobject_cast<const QGuiApplication*>(QCoreApplication::instance());
  const qreal ratio = app ? app->devicePixelRatio() : 1.0;
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  const QString path = ArtworkPath(name);
  QPainter painter(&pixmap);
  if (QFile::exists(path)) {
    QSvgRenderer renderer(path);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  } else {
    const uint hue = qHash(name) % 360;
    painter.fillRect(QRect(QPoint(0, 0), size), QColor::fromHsv(static_cast<int>(hue), 90, 200));
  }
  return pixmap;
}

QIcon ArtworkIcon(const QString& name) {
  const QString path = ArtworkPath(name);
  if (QFile::exists(path)) return QIcon(path);
  return QIcon(ArtworkPixmap(name, ArtworkSize(name)));
}

}  // namespace quorvel::ui
