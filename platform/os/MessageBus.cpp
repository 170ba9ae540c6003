#include "platform/os/MessageBus.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/os/MessageSocket.h"
#include "platform/os/RegisteredMessages.h"
#include "platform/os/RuntimeFolders.h"

namespace qn::os {
namespace {

// One datagram per message: a header line "kind target wParam lParam nameLength textLength",
// then the name and the text as raw bytes.
enum class Kind { Message = 0, Restore = 1, BringToFront = 2 };

constexpr size_t largestDatagram = 64 * 1024;

std::string encode(Kind kind, WindowId target, std::intptr_t wParam, std::intptr_t lParam, const std::string& name,
                   const std::string& text) {
  std::ostringstream out;
  out << static_cast<int>(kind) << ' ' << target << ' ' << wParam << ' ' << lParam << ' ' << name.size() << ' '
      << text.size() << '\n'
      << name << text;
  return out.str();
}

struct Decoded {
  Kind kind;
  WindowMessage message;
};

std::optional<Decoded> decode(const std::string& datagram) {
  size_t newline = datagram.find('\n');
  if (newline == std::string::npos) return std::nullopt;
  std::istringstream header(datagram.substr(0, newline));
  int kind;
  size_t nameLength, textLength;
  Decoded d{};
  if (!(header >> kind >> d.message.target >> d.message.wParam >> d.message.lParam >> nameLength >> textLength))
    return std::nullopt;
  // Compared with what follows the header, so no lengths can add up to it by wrapping around.
  const size_t bodyLength = datagram.size() - newline - 1;
  if (kind < 0 || kind > 2 || nameLength > bodyLength || textLength != bodyLength - nameLength) return std::nullopt;
  d.kind = static_cast<Kind>(kind);
  d.message.name = datagram.substr(newline + 1, nameLength);
  d.message.text = datagram.substr(newline + 1 + nameLength);
  return d;
}

}  // namespace

MessageBus::MessageBus() {
  static std::atomic<int> counter{0};
  // The start time in the name keeps a later program that gets our process id off our address, so
  // whoever cleans up after us never takes away its socket.
  const ProcessIdentity self = currentProcessIdentity();
  address_ = runtimeSubdir("bus") + "/" + std::to_string(self.pid) + "-" + std::to_string(self.startTime) + "-" +
             std::to_string(++counter) + ".sock";
  sockaddr_un addr = messageSocketAddress(address_);
  socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (socket_ < 0) throw std::system_error(errno, std::generic_category(), "cannot open a message socket");
  ::unlink(address_.c_str());  // left by an ended process that had our id
  if (::bind(socket_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    int err = errno;
    ::close(socket_);
    throw std::system_error(err, std::generic_category(), "cannot bind the message socket " + address_);
  }
}

MessageBus::~MessageBus() {
  for (const auto& [id, entry] : windows_) windowRegistry::remove(id);
  ::close(socket_);
  ::unlink(address_.c_str());
}

WindowId MessageBus::registerWindow(const AnsiString& className, const AnsiString& caption, WindowId owner,
                                    WindowHandlers handlers, bool mainWindow) {
  WindowEntry e;
  e.id = windowRegistry::allocateId();
  e.owner = owner;
  e.className = className;
  e.caption = caption;
  e.mainWindow = mainWindow;
  e.process = currentProcessIdentity();
  e.address = address_;
  windowRegistry::put(e);
  windows_[e.id] = e;
  handlers_[e.id] = std::move(handlers);
  return e.id;
}

void MessageBus::unregisterWindow(WindowId id) {
  windowRegistry::remove(id);
  windows_.erase(id);
  handlers_.erase(id);
}

WindowEntry& MessageBus::entry(WindowId id) {
  auto it = windows_.find(id);
  if (it == windows_.end()) throw std::invalid_argument("no window " + std::to_string(id) + " in this program");
  return it->second;
}

void MessageBus::setCaption(WindowId id, const AnsiString& caption) {
  WindowEntry& e = entry(id);
  e.caption = caption;
  windowRegistry::put(e);
}

void MessageBus::setMinimized(WindowId id, bool minimized) {
  WindowEntry& e = entry(id);
  e.minimized = minimized;
  windowRegistry::put(e);
}

bool MessageBus::post(const WindowEntry& target, const std::string& datagram) {
  if (datagram.size() > largestDatagram) return false;
  sockaddr_un addr;
  try {
    addr = messageSocketAddress(target.address);
  } catch (const std::system_error&) {
    return false;
  }
  // A full queue at the receiver is waited for a little, as a busy program catches up; a program
  // that takes nothing for a second is treated as gone.
  for (int attempt = 0; attempt < 100; ++attempt) {
    ssize_t n = ::sendto(socket_, datagram.data(), datagram.size(), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&addr),
                         sizeof addr);
    if (n == static_cast<ssize_t>(datagram.size())) return true;
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    ::usleep(10000);
  }
  return false;
}

bool MessageBus::send(WindowId target, const std::string& name, std::intptr_t wParam, std::intptr_t lParam,
                      const AnsiString& text) {
  auto window = windowRegistry::find(target);
  return window && post(*window, encode(Kind::Message, target, wParam, lParam, name, text));
}

int MessageBus::broadcast(const std::string& name, std::intptr_t wParam, std::intptr_t lParam, const AnsiString& text) {
  int reached = 0;
  for (const WindowEntry& window : windowRegistry::all())
    if (post(window, encode(Kind::Message, window.id, wParam, lParam, name, text))) ++reached;
  return reached;
}

bool MessageBus::request(WindowId target, WindowRequest request) {
  auto window = windowRegistry::find(target);
  Kind kind = request == WindowRequest::Restore ? Kind::Restore : Kind::BringToFront;
  return window && post(*window, encode(kind, target, 0, 0, {}, {}));
}

int MessageBus::dispatchPending() {
  std::vector<char> buffer(largestDatagram + 1);
  int count = 0;
  for (;;) {
    ssize_t n = ::recv(socket_, buffer.data(), buffer.size(), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;  // nothing more waits
    auto decoded = decode(std::string(buffer.data(), static_cast<size_t>(n)));
    if (!decoded) continue;
    ++count;
    // A handler may unregister windows, its own included: it is looked up for each message anew
    // and called through a copy.
    auto it = handlers_.find(decoded->message.target);
    if (it == handlers_.end()) continue;
    WindowHandlers handlers = it->second;
    if (decoded->kind == Kind::Message) {
      decoded->message.number = registerWindowMessage(decoded->message.name);
      if (handlers.onMessage) handlers.onMessage(decoded->message);
    } else if (handlers.onRequest) {
      handlers.onRequest(decoded->kind == Kind::Restore ? WindowRequest::Restore : WindowRequest::BringToFront);
    }
  }
  return count;
}

}  // namespace qn::os
