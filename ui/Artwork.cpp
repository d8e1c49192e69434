#include "ui/Artwork.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace quorvel::ui {

QPixmap ArtworkPixmap(const QString& name, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  const QString path = QStringLiteral(":/artwork/%1.svg").arg(name);
  QPainter painter(&pixmap);
  if (QFile::exists(path)) {
    QSvgRenderer renderer(path);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  } else {
    const uint hue = qHash(name) % 360;
    painter.fillRect(pixmap.rect(), QColor::fromHsv(static_cast<int>(hue), 90, 200));
  }
  return pixmap;
}

QIcon ArtworkIcon(const QString& name, QSize size) { return QIcon(ArtworkPixmap(name, size)); }

}  // namespace quorvel::ui
