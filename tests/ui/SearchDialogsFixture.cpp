#include "tests/ui/SearchDialogsFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "core/Cp1253.h"
#include "platform/KeyboardLayouts.h"
#include "tests/ui/ModalSteps.h"
#include "richtext/RtfReader.h"
#include "ui/EntryListModel.h"
#include "ui/TextCodec.h"

namespace quorvel::test {
namespace {

std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }

// The dictionary the search dialogs' tests share.
void WriteSharedDictionary(DictionaryFixture& fixture) {
  fixture.WritePublished(
      {
          {"anchor", "{The anchor holds the ship.}"},                        // 1
          {"flagship", "{The \\b flagship\\b0  of a fleet.}"},                // 2
          {"hull", "{" + RtfText("Το σκάφος του πλοίου.") + "}"},            // 3
          {"lightship", "{A ship-shaped light.}"},                            // 4
          {"ship", "{" + RtfText("Πλοίο: a vessel.") + "}"},                  // 5
          {"shipyard", "{Where shipping starts.}"},                           // 6
          {"slip", "{" + RtfText("Το σκαρί.") + "}"},                        // 7
          {"stern", "{The back.}"},                                           // 8
      },
      {{1, G("άγκυρα")}, {2, G("ναυαρχίδα")}, {3, G("σκάφος")}, {4, G("φαρόπλοιο")}, {5, G("πλοίο")},
       {6, G("ναυπηγείο")}, {7, G("σκαρί")}, {8, G("πρύμνη")}});
  // A user entry after "anchor" and an addition to "stern".
  fixture.WriteUserEntries({{1, 100, "boat", "{A small boat, no ship.}"}, {8, 8, "", "{My ship note.}"}});
  fixture.WriteUserGreekLines({DictionaryFixture::UserGreekLine(1, 100, G("βάρκα"))});
}

}  // namespace

SearchDialogsWindow::SearchDialogsWindow() : SearchDialogsWindow(WriteSharedDictionary) {}

SearchDialogsWindow::SearchDialogsWindow(const std::function<void(DictionaryFixture&)>& write) {
  write(fixture_);
  session_ = std::make_unique<Session>(fixture_.locations(), fs_, SlowConverter(slow_));
  window_ = std::make_unique<ui::TMainLex>(
      *session_, std::make_unique<platform::FakeKeyboardLayouts>(
                     std::vector<platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}}));
  window_->show();
  if (!QTest::qWaitForWindowActive(window_.get())) qFatal("the main window was not activated");
}

SearchDialogsWindow::~SearchDialogsWindow() = default;

QLineEdit* SearchDialogsWindow::SearchBox() const { return W<QLineEdit>("Entry_Text"); }
QListView* SearchDialogsWindow::List() const { return W<QListView>("Entries_List"); }

QStringList SearchDialogsWindow::ItemTexts() const {
  const auto* model = static_cast<const ui::EntryListModel*>(List()->model());
  QStringList texts;
  for (int i = 0; i < model->count(); ++i) texts << ui::ToQString(model->text(i));
  return texts;
}

int SearchDialogsWindow::SelectedIndex() const {
  const QModelIndexList selected = List()->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void SearchDialogsWindow::Type(const QString& text) { TypeText(SearchBox(), text); }

bool SearchDialogsWindow::ClickItem(const QString& text) {
  const int row = static_cast<int>(ItemTexts().indexOf(text));
  if (row < 0) return false;
  const QModelIndex item = List()->model()->index(row, 0);
  List()->scrollTo(item);
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, List()->visualRect(item).center());
  return true;
}

bool SearchDialogsWindow::WithDialog(const char* button, const std::function<void(QDialog&)>& work) {
  // Polls until the modal dialog is up, then works it from inside its event loop.
  bool worked = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll.stop();
    if (!QTest::qWaitForWindowActive(dialog)) qWarning("the dialog was not activated");
    work(*dialog);
    worked = true;
    // A check that failed inside `work` left the dialog open.
    if (dialog->isVisible()) dialog->reject();
  });
  poll.start();
  QTest::mouseClick(W(button), Qt::LeftButton);
  if (!QTest::qWaitFor([this] { return !window_->busy(); }, 20000)) qWarning("the description search did not end");
  return worked;
}

namespace {

QString Describe(const QRect& r) { return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

QPoint Centre(const QRect& rect) { return QPoint(rect.left() + rect.width() / 2, rect.top() + rect.height() / 2); }

}  // namespace

bool CentredOn(const QWidget& dialog, const QRect& owner, QString& why) {
  // The client area, as what Qt knows of a new dialog's frame under a window manager is not
  // always right: its centre lies below the outer one by half the title bar at most.
  why = Describe(dialog.geometry()) + QStringLiteral(" on ") + Describe(owner);
  const QPoint offset = Centre(dialog.geometry()) - Centre(owner);
  return std::abs(offset.x()) <= 2 && offset.y() >= -2 && offset.y() <= 12;
}

bool EveryControlNamed(const QWidget& dialog, QString& unnamed) {
  for (QWidget* control : dialog.findChildren<QWidget*>()) {
    if (!(control->focusPolicy() & Qt::TabFocus)) continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (!accessible || accessible->text(QAccessible::Name).isEmpty()) {
      unnamed = control->objectName();
      return false;
    }
  }
  return true;
}

}  // namespace quorvel::test
