// Bringing a window to the front on behalf of another program: the caller passes on what lets
// the window manager allow it (its freedesktop startup id, else the X server's time when it
// started), and the window asks the window manager with that, as if the caller's own launch had
// opened the window.
#pragma once

#include <QByteArray>
#include <QtGlobal>

class QWindow;

namespace quorvel::platform {

struct ActivationToken {
  QByteArray startupId;    // the caller's DESKTOP_STARTUP_ID; empty when it had none
  quint32 serverTime = 0;  // the X server's time when the caller started; 0 when unknown
};

// The token of this process, started with `startupId` (may be empty): the server time is asked
// of the X server of $DISPLAY on a connection of its own (0 without one, or after a second).
ActivationToken CallerActivation(const QByteArray& startupId);

// The time the window manager is to judge the request by: the launch time that a startup id
// carries after "_TIME", else the server time; 0 when neither is known.
quint32 ActivationTime(const ActivationToken& token);

// Asks the window manager to make `window` (a shown top-level window) the active one for the
// caller of `token`, and ends the caller's startup notification. On X11 the requests go through
// Qt's own connection, after the window's own requests (un-minimising it, say); elsewhere, or
// without a time, Qt's own activation request is made.
void RequestActivation(QWindow* window, const ActivationToken& token);

}  // namespace quorvel::platform
