// quorvel-render-icon: draws an SVG picture into a square PNG of the given size, so that the
// package's bitmap icons come from the same artwork as its scalable icon, drawn by the same
// renderer as the program's own pictures. Drawing shapes into an image needs no application
// object and no display (an icon with text in it would need a QGuiApplication for its fonts).
//   quorvel-render-icon IN.svg SIZE OUT.png
// Exit status: 0 written, 1 the picture could not be read or the PNG not written, 2 usage.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: quorvel-render-icon IN.svg SIZE OUT.png\n");
    return 2;
  }
  bool isNumber = false;
  const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
  if (!isNumber || size < 1 || size > 4096) {
    std::fprintf(stderr, "quorvel-render-icon: SIZE must be a number of pixels from 1 to 4096\n");
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "quorvel-render-icon: cannot read %s as SVG\n", argv[1]);
    return 1;
  }
  renderer.setAspectRatioMode(Qt::KeepAspectRatio);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "quorvel-render-icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
