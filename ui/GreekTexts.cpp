#include "ui/GreekTexts.h"

#include <QCoreApplication>
#include <QTranslator>

// The resource lives in this static library; naming its initialiser keeps it linked.
static void InitTranslationResource() { Q_INIT_RESOURCE(quorvel_translations); }

namespace quorvel::ui {

bool InstallGreekQtTexts() {
  InitTranslationResource();
  // Lives as long as the program: the application keeps only a pointer.
  static QTranslator translator;
  if (translator.isEmpty() && !translator.load(QStringLiteral(":/i18n/qt_el.qm"))) return false;
  return QCoreApplication::installTranslator(&translator);
}

}  // namespace quorvel::ui
