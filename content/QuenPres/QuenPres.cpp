// QuenPres: the presentation of the publisher's nautical editions, started from the dictionary's
// publisher label with the program folder as its one argument. One window with the editions,
// their covers drawn here; any key or click closes it.
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QColor kMaroon(136, 0, 0);
const QColor kGold(219, 179, 89);

enum class Emblem { Anchor, Knot, Compass, Lights };

struct Edition {
  QString title;
  QString text;
  QColor cover;
  Emblem emblem;
};

// A book cover of 54 x 72 pixels: the coloured board, a darker spine, a gold emblem.
QPixmap Cover(const QColor& colour, Emblem emblem) {
  QPixmap cover(54, 72);
  cover.fill(Qt::transparent);
  QPainter p(&cover);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(colour.darker(160), 1));
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(0.5, 0.5, 53, 71), 3, 3);
  p.fillRect(QRectF(1, 1, 7, 70), colour.darker(140));
  p.setPen(QPen(kGold, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const QPointF c(31, 34);
  switch (emblem) {
    case Emblem::Anchor: {
      p.drawEllipse(QPointF(c.x(), c.y() - 16), 3.5, 3.5);
      p.drawLine(QPointF(c.x(), c.y() - 12), QPointF(c.x(), c.y() + 16));
      p.drawLine(QPointF(c.x() - 8, c.y() - 6), QPointF(c.x() + 8, c.y() - 6));
      QPainterPath arms;
      arms.moveTo(c.x() - 14, c.y() + 4);
      arms.quadTo(c.x() - 10, c.y() + 17, c.x(), c.y() + 16);
      arms.quadTo(c.x() + 10, c.y() + 17, c.x() + 14, c.y() + 4);
      p.drawPath(arms);
      break;
    }
    case Emblem::Knot: {
      QPainterPath knot;
      knot.moveTo(c.x() - 16, c.y() + 14);
      knot.cubicTo(c.x() - 4, c.y() + 10, c.x() - 16, c.y() - 18, c.x(), c.y() - 14);
      knot.cubicTo(c.x() + 16, c.y() - 10, c.x() + 4, c.y() + 16, c.x() - 6, c.y() + 2);
      knot.cubicTo(c.x() - 12, c.y() - 6, c.x() + 6, c.y() - 6, c.x() + 16, c.y() + 14);
      p.drawPath(knot);
      break;
    }
    case Emblem::Compass: {
      p.drawEllipse(c, 15, 15);
      QPolygonF needle;
      needle << QPointF(c.x(), c.y() - 13) << QPointF(c.x() + 4, c.y()) << QPointF(c.x(), c.y() + 13)
             << QPointF(c.x() - 4, c.y());
      p.setBrush(kGold);
      p.drawPolygon(needle);
      break;
    }
    case Emblem::Lights: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(220, 40, 40));
      p.drawEllipse(QPointF(c.x() - 9, c.y() + 6), 6, 6);
      p.setBrush(QColor(40, 200, 90));
      p.drawEllipse(QPointF(c.x() + 9, c.y() + 6), 6, 6);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(c.x(), c.y() - 12), 6, 6);
      break;
    }
  }
  return cover;
}

QLabel* Text(const QString& text, int pixels, bool bold, const QColor& colour, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setWordWrap(true);
  return label;
}

// Closes the presentation at the first key or click anywhere in it.
class CloseOnAnyInput : public QObject {
 public:
  explicit CloseOnAnyInput(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
      window_->close();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* window_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);

  const QList<Edition> editions = {
      {QStringLiteral("Orvanta — Αγγλοελληνικό Ναυτικό Λεξικό"),
       QStringLiteral("Οι όροι της ναυτιλίας, της ναυπηγικής και της ναυτικής τέχνης στα αγγλικά και στα "
                      "ελληνικά, με ερμηνείες, σχέδια και πίνακες."),
       kMaroon.lighter(130), Emblem::Anchor},
      {QStringLiteral("Εγχειρίδιο Ναυτικής Τέχνης"),
       QStringLiteral("Κόμβοι, ξάρτια, πρόσδεση και χειρισμοί του πλοίου, βήμα προς βήμα και με σχέδια."),
       QColor(30, 70, 130), Emblem::Knot},
      {QStringLiteral("Ναυσιπλοΐα και Ναυτιλιακά Όργανα"),
       QStringLiteral("Χάρτες, πυξίδα, στίγμα και πορεία, σημαντήρες και φάροι των ελληνικών ακτών."),
       QColor(20, 100, 90), Emblem::Compass},
      {QStringLiteral("Κανονισμοί Αποφυγής Συγκρούσεων"),
       QStringLiteral("Οι διεθνείς κανονισμοί στα ελληνικά, με σχόλια, φώτα και σχήματα των πλοίων."),
       QColor(70, 70, 80), Emblem::Lights},
  };

  QWidget window;
  window.setObjectName(QStringLiteral("QuenPres"));
  window.setWindowTitle(QStringLiteral("Εκδόσεις Quenborath"));
  window.setAccessibleName(QStringLiteral("Παρουσίαση Εκδόσεων Quenborath"));
  QPalette background = window.palette();
  background.setColor(QPalette::Window, kMaroon);
  window.setPalette(background);
  window.setAutoFillBackground(true);

  auto* page = new QVBoxLayout(&window);
  page->setContentsMargins(24, 18, 24, 14);
  page->setSpacing(10);
  page->addWidget(Text(QStringLiteral("ΕΚΔΟΣΕΙΣ Quenborath"), 24, true, kGold, &window));
  page->addWidget(Text(QStringLiteral("Βιβλία για τη θάλασσα και τους ανθρώπους της"), 14, false, Qt::white, &window));
  for (const Edition& edition : editions) {
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    auto* cover = new QLabel(&window);
    cover->setPixmap(Cover(edition.cover, edition.emblem));
    cover->setFixedSize(54, 72);
    cover->setAccessibleName(edition.title);
    row->addWidget(cover, 0, Qt::AlignTop);
    auto* words = new QVBoxLayout;
    words->setSpacing(2);
    words->addWidget(Text(edition.title, 15, true, kGold, &window));
    words->addWidget(Text(edition.text, 13, false, Qt::white, &window));
    words->addStretch();
    row->addLayout(words, 1);
    page->addLayout(row);
  }
  page->addStretch();
  QLabel* hint = Text(QStringLiteral("Πατήστε ένα πλήκτρο ή κάντε κλικ για να κλείσει η παρουσίαση."), 12, false,
                      QColor(230, 210, 170), &window);
  hint->setAlignment(Qt::AlignCenter);
  page->addWidget(hint);

  app.installEventFilter(new CloseOnAnyInput(&window));
  window.setFixedSize(560, 470);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  return app.exec();
}
