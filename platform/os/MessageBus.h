#pragma once
// This program's end of the message bus between the programs of one desktop. The program
// registers its top-level windows here (they appear in the window registry with this program's
// socket as their address) and gets what other programs send them: registered messages (a name,
// two numbers, a text carried by value) and requests to restore a window or bring it to the front.
// Messages are posted: a send returns once the message is queued at the receiver, and the
// receiver's handlers run when its event loop calls dispatchPending() (fd() becomes readable when
// something waits), on the thread that calls it.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "framework/base/AnsiString.h"
#include "platform/os/WindowRegistry.h"

namespace qn::os {

struct WindowMessage {
  WindowId target = 0;  // the receiving window
  std::string name;     // the registered message's name
  unsigned number = 0;  // its number on this desktop
  std::intptr_t wParam = 0;
  std::intptr_t lParam = 0;
  AnsiString text;
};

enum class WindowRequest { Restore, BringToFront };

struct WindowHandlers {
  std::function<void(const WindowMessage&)> onMessage;
  std::function<void(WindowRequest)> onRequest;
};

class MessageBus {
 public:
  // Opens the program's socket in the runtime folder; throws std::system_error when it cannot.
  MessageBus();
  // Unregisters the windows registered here and removes the socket.
  ~MessageBus();
  MessageBus(const MessageBus&) = delete;
  MessageBus& operator=(const MessageBus&) = delete;

  // Registering the main window tells a parent waiting for this program that it takes input.
  WindowId registerWindow(const AnsiString& className, const AnsiString& caption, WindowId owner,
                          WindowHandlers handlers, bool mainWindow = false);
  void unregisterWindow(WindowId id);
  void setCaption(WindowId id, const AnsiString& caption);
  void setMinimized(WindowId id, bool minimized);

  // Posts a registered message to one window; false when the window does not exist (any more)
  // or its program takes nothing.
  bool send(WindowId target, const std::string& name, std::intptr_t wParam, std::intptr_t lParam,
            const AnsiString& text = {});
  // Posts it to every top-level window of the desktop, this program's own included. Answers how
  // many windows it reached.
  int broadcast(const std::string& name, std::intptr_t wParam, std::intptr_t lParam, const AnsiString& text = {});
  bool request(WindowId target, WindowRequest request);

  // Readable while messages wait; for the event loop to watch.
  int fd() const { return socket_; }
  // Runs the handlers of every waiting message; answers how many there were. Messages to windows
  // unregistered meanwhile are dropped.
  int dispatchPending();

 private:
  bool post(const WindowEntry& target, const std::string& datagram);
  WindowEntry& entry(WindowId id);

  int socket_ = -1;
  std::string address_;
  std::map<WindowId, WindowEntry> windows_;
  std::map<WindowId, WindowHandlers> handlers_;
};

}  // namespace qn::os
