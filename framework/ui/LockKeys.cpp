// The lock keys' lights, read from the X server's keyboard indicators. The server numbers its
// indicators from its keymap; the usual keymaps put Caps Lock first and Num Lock second.
#include <xcb/xcb.h>
// The C header names a field `explicit`, a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <QGuiApplication>
#include <cstdlib>

#include "framework/ui/KeyboardState.h"

namespace qn::ui {

namespace {

LockKeyReader& scripted() {
  static LockKeyReader reader;
  return reader;
}

xcb_connection_t* x11Connection() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!app) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

bool indicatorOn(LockKey key) {
  xcb_connection_t* connection = x11Connection();
  if (!connection) return false;
  static bool extensionReady = [connection] {
    xcb_xkb_use_extension_reply_t* reply =
        xcb_xkb_use_extension_reply(connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
    const bool ready = reply && reply->supported;
    std::free(reply);
    return ready;
  }();
  if (!extensionReady) return false;
  xcb_xkb_get_indicator_state_reply_t* reply =
      xcb_xkb_get_indicator_state_reply(connection, xcb_xkb_get_indicator_state(connection, XCB_XKB_ID_USE_CORE_KBD), nullptr);
  if (!reply) return false;
  const std::uint32_t bit = key == LockKey::CapsLock ? 0x1 : 0x2;
  const bool on = reply->state & bit;
  std::free(reply);
  return on;
}

}  // namespace

bool lockKeyOn(LockKey key) { return scripted() ? scripted()(key) : indicatorOn(key); }

LockKeyReader setLockKeyReader(LockKeyReader reader) { return std::exchange(scripted(), std::move(reader)); }

}  // namespace qn::ui
