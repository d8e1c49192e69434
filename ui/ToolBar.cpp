#include "ui/ToolBar.h"

#include <QEvent>
#include <QToolButton>
#include <QWidget>

#include "ui/Artwork.h"

namespace quorvel::ui {
namespace {

// The buttons as designed: name, left, width, glyph, hint.
struct ToolDesign {
  const char* name;
  int left;
  int width;
  const char* glyph;
  const char* hint;
};

const ToolDesign kDesign[kToolCount] = {
    {"Lang_Button", 4, 53, "lang_en", "Επιλογή Γλώσσας"},
    {"Prev_Button", 65, 38, "prev", "Προηγούμενο Λήμμα"},
    {"PrevMenu_Button", 103, 14, "prevmenu", "Λίστα Προηγουμένων Λημμάτων"},
    {"Next_Button", 116, 38, "next", "Επόμενο Λήμμα"},
    {"NextMenu_Button", 155, 13, "nextmenu", "Λίστα Επομένων Λημμάτων"},
    {"Copy_Button", 177, 38, "copy", "Αντιγραφή"},
    {"Paste_Button", 215, 38, "paste", "Επικόλληση"},
    {"Print_Button", 254, 38, "print", "Εκτύπωση Λήμματος"},
    {"Search_Button", 299, 38, "search", "Αναζητήσεις"},
    {"DescrSearch_Button", 338, 38, "descrsearch", "Αναζήτηση στο περιεχόμενο του λεξικού"},
    {"AutoTranslate_Button", 377, 38, "autotr_off", "Γρήγορη Μετάφραση"},
    {"CustomEntries_Button", 422, 47, "custom", "Επεξεργασία Λημμάτων"},
    {"Pinakes_Button", 471, 43, "pinakes", "Πίνακες"},
    {"Help_Button", 515, 40, "help", "Βοήθεια"},
    {"Pin_Button", 560, 25, "pin", "Παραμονή στην κορυφή"},
    {"Exit_Button", 589, 47, "exit", "Εξοδος"},
};

// The buttons' own look: a raised dark-red face. It is set on each button, so that no other
// control of the window, and no dialog the window owns, is drawn by a style sheet (whose style
// would set their fonts back to the desktop's).
const char* const kToolStyle =
    "QToolButton { border: 1px solid #4a0000; border-radius: 3px; padding: 0px;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #b03030, stop:1 #700000); }"
    "QToolButton:pressed, QToolButton:checked { background: #5a0000; }";

// One button of a hover group with its two geometries.
struct ToolGeometry {
  Tool tool;
  QRect normal;
  QRect raised;
};

// Group n (1-14) is kGroups[n - 1]; the first button of a group tells its state.
struct ToolGroup {
  ToolGeometry buttons[2];
  int count;
};

const ToolGroup kGroups[14] = {
    {{{Tool::Lang, {4, 2, 49, 39}, {3, 1, 51, 41}}}, 1},
    {{{Tool::Prev, {60, 2, 36, 39}, {59, 1, 38, 41}}, {Tool::PrevMenu, {96, 2, 13, 39}, {97, 1, 15, 41}}}, 2},
    {{{Tool::Next, {108, 2, 36, 39}, {107, 1, 38, 41}}, {Tool::NextMenu, {144, 2, 13, 39}, {145, 1, 15, 41}}}, 2},
    {{{Tool::Copy, {164, 2, 36, 39}, {163, 1, 38, 41}}}, 1},
    {{{Tool::Paste, {200, 2, 36, 39}, {199, 1, 38, 41}}}, 1},
    {{{Tool::Print, {236, 2, 36, 39}, {235, 1, 38, 41}}}, 1},
    {{{Tool::Search, {278, 2, 36, 39}, {277, 1, 38, 41}}}, 1},
    {{{Tool::DescrSearch, {314, 2, 36, 39}, {313, 1, 38, 41}}}, 1},
    {{{Tool::AutoTranslate, {350, 2, 36, 39}, {349, 1, 38, 41}}}, 1},
    {{{Tool::CustomEntries, {392, 2, 45, 39}, {391, 1, 47, 41}}}, 1},
    {{{Tool::Pinakes, {437, 2, 41, 39}, {436, 1, 43, 41}}}, 1},
    {{{Tool::Help, {478, 2, 38, 39}, {477, 1, 40, 41}}}, 1},
    {{{Tool::Pin, {520, 11, 25, 22}, {519, 10, 27, 24}}}, 1},
    {{{Tool::Exit, {547, 2, 45, 39}, {546, 1, 47, 41}}}, 1},
};

}  // namespace

void SetToolGeometry(QToolButton* button, const QRect& rect) {
  button->setGeometry(rect);
  QSize glyph = button->property("glyphSize").toSize();
  const QSize room = rect.size() - QSize(4, 4);
  if (glyph.width() > room.width() || glyph.height() > room.height()) {
    glyph.scale(room, Qt::KeepAspectRatio);
  }
  button->setIconSize(glyph);
}

ToolBar::ToolBar(QWidget* window) : QObject(window) {
  for (int i = 0; i < kToolCount; ++i) {
    const ToolDesign& design = kDesign[i];
    auto* button = new QToolButton(window);
    button->setObjectName(QString::fromLatin1(design.name));
    const QString hint = QString::fromUtf8(design.hint);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setAutoRaise(true);
    button->setStyleSheet(QString::fromLatin1(kToolStyle));
    button->setFocusPolicy(Qt::NoFocus);
    button->setMouseTracking(true);
    // A move over a button is the button's own, not the window's.
    button->setAttribute(Qt::WA_NoMousePropagation);
    const bool pin = i == static_cast<int>(Tool::Pin);
    // The pin shows its state: pressed while the window stays on top.
    button->setCheckable(pin);
    const QRect rect = pin ? QRect(design.left, 12, design.width, 22) : QRect(design.left, 2, design.width, 42);
    const QString glyph = QString::fromLatin1(design.glyph);
    button->setProperty("glyphSize", ArtworkSize(glyph));
    button->setIcon(ArtworkIcon(glyph));
    SetToolGeometry(button, rect);
    button->installEventFilter(this);
    buttons_[static_cast<size_t>(i)] = button;
  }
}

void ToolBar::HighlightToolButton(int group) {
  for (int n = 1; n <= 14; ++n) {
    const ToolGroup& g = kGroups[n - 1];
    QToolButton* first = button(g.buttons[0].tool);
    const bool raised = first->y() == g.buttons[0].raised.y();
    const bool normal = first->y() == g.buttons[0].normal.y();
    if (n == group) {
      if (!normal) continue;
      for (int b = 0; b < g.count; ++b) {
        SetToolGeometry(button(g.buttons[b].tool), g.buttons[b].raised);
        button(g.buttons[b].tool)->raise();
      }
    } else if (raised || group == -1) {
      for (int b = 0; b < g.count; ++b) SetToolGeometry(button(g.buttons[b].tool), g.buttons[b].normal);
      if (n == 1) first->raise();
    }
  }
}

int ToolBar::NormalRight(Tool tool) {
  for (const ToolGroup& g : kGroups) {
    for (int b = 0; b < g.count; ++b) {
      if (g.buttons[b].tool == tool) return g.buttons[b].normal.x() + g.buttons[b].normal.width();
    }
  }
  return 0;
}

int ToolBar::GroupOf(const QObject* object) const {
  for (int n = 1; n <= 14; ++n) {
    const ToolGroup& g = kGroups[n - 1];
    for (int b = 0; b < g.count; ++b) {
      if (button(g.buttons[b].tool) == object) return n;
    }
  }
  return 0;
}

bool ToolBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (const int group = GroupOf(watched)) HighlightToolButton(group);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quorvel::ui
