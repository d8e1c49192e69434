// The rich text of a long hint (the entry list's hint of an item too long for the list, or of
// the whole entry in the compact window): its text as it stands, in a box as wide as its
// longest line up to half the screen's width, so that a line longer than the list wraps once
// or twice instead of into a narrow column. Lines end at CR LF or LF.
#pragma once

#include <QPoint>
#include <QString>

namespace quorvel::ui {

// `plain` is shown as plain text whatever marks it holds; `at` is where the hint shows (its
// screen decides the widest box).
QString HintRichText(const QString& plain, const QPoint& at);

}  // namespace quorvel::ui
