#include "ui/ClipboardController.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>

#include "ui/EntryListView.h"
#include "ui/MainView.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"
#include "ui/TextCodec.h"
#include "ui/ToolBar.h"

namespace quorvel::ui {
namespace {

// How often a copy waiting for a long search looks again whether the search has ended.
constexpr int kLongWorkPollMilliseconds = 20;
const QString kQuickTranslateTitle = QStringLiteral("Orvanta - Γρήγορη Μετάφραση");
const QString kTitle = QStringLiteral("Orvanta");
const QString kQuickTranslateHint = QStringLiteral("Γρήγορη Μετάφραση");
const QString kEndQuickTranslateHint = QStringLiteral("Τερματισμός Γρήγορης Μετάφρασης");

// Sets a flag for as long as it lives, whichever way the scope is left.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

ClipboardController::ClipboardController(MainView& view, const MainLexForm& form,
                                         std::unique_ptr<platform::Clipboard> clipboard)
    : view_(view), f_(form), clipboard_(std::move(clipboard)) {
  setObjectName(QStringLiteral("ClipboardController"));
  f_.Entry_Text->installEventFilter(this);
  f_.Entries_List->installEventFilter(this);
  f_.Description_Text->installEventFilter(this);
  connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationInactive) AppDeactivate();
  });
}

// The window stops watching the clipboard when it goes, whether quick translation is on or not.
ClipboardController::~ClipboardController() { clipboard_->Unwatch(); }

bool ClipboardController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == f_.Entries_List) {
      FocusedField_ = QString::fromLatin1(kEntriesList);
    } else if (watched == f_.Description_Text) {
      FocusedField_ = QString::fromLatin1(kDescriptionText);
    } else if (watched == f_.Entry_Text) {
      FocusedField_ = QString::fromLatin1(kEntryText);
      f_.Entry_Text->selectAll();
    }
  }
  return QObject::eventFilter(watched, event);
}

void ClipboardController::Copy_ButtonClick() {
  // The clipboard reports the program's own copy before the copy returns: the flag marks it.
  const FlagScope copying(CopyInProgress_);
  if (FocusedField_ != QLatin1String(kDescriptionText)) {
    if (const std::optional<ListItem> item = view_.SelectedItem()) {
      clipboard_->SetText(ToQString(item->text));
    } else if (!f_.Entry_Text->text().isEmpty()) {
      // The selection, or all of the text (the box's own selection is left as it was).
      clipboard_->SetText(f_.Entry_Text->hasSelectedText() ? f_.Entry_Text->selectedText()
                                                           : f_.Entry_Text->text());
    }
  } else {
    clipboard_->SetData(f_.Description_Text->CopyData());
  }
}

void ClipboardController::Paste_ButtonClick() {
  ReplaceSearchText(clipboard_->Text().value_or(QString()));
  f_.Entry_Text->setFocus();
}

void ClipboardController::ReplaceSearchText(const QString& text) {
  f_.Entry_Text->clear();
  // What code page 1253 lacks becomes "?", as in every text the program takes in.
  f_.Entry_Text->insert(ToQString(ToCp1253(text)));
}

void ClipboardController::AutoTranslate_ButtonClick() {
  QuickTranslateOn_ = !QuickTranslateOn_;
  if (QuickTranslateOn_) {
    clipboard_->Clear();
    clipboard_->Watch([this] { ClipboardChanged(); });
  } else {
    clipboard_->Unwatch();
  }
  ShowQuickTranslateState();
}

void ClipboardController::ShowQuickTranslateState() {
  view_.widget()->setWindowTitle(QuickTranslateOn_ ? kQuickTranslateTitle : kTitle);
  QToolButton* button = f_.toolBar->button(Tool::AutoTranslate);
  button->setIcon(QIcon((QuickTranslateOn_ ? f_.CancelAutoTrImage : f_.AutoTrImage)->pixmap()));
  const QString& hint = QuickTranslateOn_ ? kEndQuickTranslateHint : kQuickTranslateHint;
  button->setToolTip(hint);
  button->setAccessibleName(hint);
}

void ClipboardController::ClipboardChanged() {
  if (CopyInProgress_) return;
  // A copy made while a long search runs is looked up when the search has ended: the lookup
  // would change the dictionary state the search reads.
  if (view_.busy()) {
    if (!lookupWaiting_) {
      lookupWaiting_ = true;
      QTimer::singleShot(kLongWorkPollMilliseconds, this, [this] {
        lookupWaiting_ = false;
        ClipboardChanged();
      });
    }
    return;
  }
  const std::optional<QString> text = clipboard_->Text();
  if (!text) return;
  ReplaceSearchText(*text);
  // Back from the taskbar, in front of the program the copy was made in.
  if (view_.widget()->isMinimized()) view_.widget()->setWindowState(view_.widget()->windowState() & ~Qt::WindowMinimized);
  view_.widget()->show();
  view_.widget()->raise();
  view_.widget()->activateWindow();
}

void ClipboardController::AppDeactivate() {
  if (QuickTranslateOn_) view_.widget()->showMinimized();
}

}  // namespace quorvel::ui
