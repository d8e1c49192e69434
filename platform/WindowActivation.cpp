#include "platform/WindowActivation.h"

#include <QGuiApplication>
#include <QWindow>

#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace quorvel::platform {
namespace {

constexpr int kServerTimeMilliseconds = 1000;
constexpr uint32_t kSourceApplication = 1;  // _NET_ACTIVE_WINDOW: a request of an application

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const XcbReply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t RootOf(xcb_connection_t* c, xcb_window_t window) {
  const XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
  return tree ? tree->root : xcb_window_t{XCB_WINDOW_NONE};
}

// The time of a property change on a window made for the purpose: the server stamps the event
// with its current time.
quint32 ServerTime(xcb_connection_t* c, xcb_window_t root) {
  const xcb_window_t probe = xcb_generate_id(c);
  const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  xcb_change_property(c, XCB_PROP_MODE_APPEND, probe, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
  xcb_flush(c);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kServerTimeMilliseconds);
  while (!xcb_connection_has_error(c)) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
      const XcbReply<xcb_generic_event_t> owned(event);
      if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
        return reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
      }
    }
    using std::chrono::milliseconds;
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
  }
  return 0;
}

// A value of a startup-notification message: spaces, quotes and backslashes escaped.
QByteArray MessageValue(const QByteArray& value) {
  QByteArray out;
  for (const char c : value) {
    if (c == ' ' || c == '"' || c == '\\') out.append('\\');
    out.append(c);
  }
  return out;
}

// A startup-notification message goes to the root window in pieces of 20 bytes, its closing
// NUL included: the first of type _NET_STARTUP_INFO_BEGIN, the rest _NET_STARTUP_INFO.
void SendStartupMessage(xcb_connection_t* c, xcb_window_t root, xcb_window_t from, const QByteArray& message) {
  const xcb_atom_t begin = Atom(c, "_NET_STARTUP_INFO_BEGIN");
  const xcb_atom_t more = Atom(c, "_NET_STARTUP_INFO");
  const qsizetype length = message.size() + 1;
  for (qsizetype sent = 0; sent < length; sent += 20) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 8;
    event.window = from;
    event.type = sent == 0 ? begin : more;
    const qsizetype piece = std::min<qsizetype>(20, length - sent);
    std::memcpy(event.data.data8, message.constData() + sent, static_cast<size_t>(piece));
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
  }
}

}  // namespace

ActivationToken CallerActivation(const QByteArray& startupId) {
  ActivationToken token{startupId, 0};
  int screen = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screen);
  if (!xcb_connection_has_error(c)) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen && it.rem > 0; ++i) xcb_screen_next(&it);
    if (it.rem > 0) token.serverTime = ServerTime(c, it.data->root);
  }
  xcb_disconnect(c);
  return token;
}

quint32 ActivationTime(const ActivationToken& token) {
  const qsizetype mark = token.startupId.lastIndexOf("_TIME");
  if (mark >= 0) {
    bool ok = false;
    const quint32 launched = token.startupId.mid(mark + 5).toUInt(&ok);
    if (ok && launched != 0) return launched;
  }
  return token.serverTime;
}

void RequestActivation(QWindow* window, const ActivationToken& token) {
  if (!window) return;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  const quint32 time = ActivationTime(token);
  if (!c || time == 0) {
    window->requestActivate();
    return;
  }
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_window_t root = RootOf(c, id);
  if (root == XCB_WINDOW_NONE) return window->requestActivate();
  // The window names the launch that it answers, before it asks to be activated for it.
  if (!token.startupId.isEmpty()) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, Atom(c, "_NET_STARTUP_ID"), Atom(c, "UTF8_STRING"), 8,
                        static_cast<uint32_t>(token.startupId.size()), token.startupId.constData());
  }
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = id;
  event.type = Atom(c, "_NET_ACTIVE_WINDOW");
  event.data.data32[0] = kSourceApplication;
  event.data.data32[1] = time;
  event.data.data32[2] = XCB_WINDOW_NONE;  // no window of this program is active
  xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));
  // The launcher's busy feedback ends: the program it started has answered.
  if (!token.startupId.isEmpty()) {
    SendStartupMessage(c, root, id, "remove: ID=" + MessageValue(token.startupId));
  }
  xcb_flush(c);
}

}  // namespace quorvel::platform
