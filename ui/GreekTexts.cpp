#include "ui/GreekTexts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace quorvel::ui {

bool InstallGreekQtTexts() {
  // Lives as long as the program: the application keeps only a pointer.
  static QTranslator translator;
  if (translator.isEmpty() && !translator.load(QStringLiteral(":/i18n/qt_el.qm"))) return false;
  return QCoreApplication::installTranslator(&translator);
}

}  // namespace quorvel::ui
