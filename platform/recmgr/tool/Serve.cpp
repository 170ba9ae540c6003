#include "platform/recmgr/tool/Serve.h"

#include <array>
#include <chrono>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/recmgr/Engine.h"
#include "platform/recmgr/LittleEndian.h"
#include "platform/recmgr/OperationCodes.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr {

const char* const serveHelp =
    "  serve                              play a workstation: one command a line on standard input,\n"
    "                                     one answer a line on standard output, starting with the\n"
    "                                     status of the call; a malformed command answers \"error\"\n"
    "    client NAME | -                  later calls come from client NAME (its first 16 bytes,\n"
    "                                     zero-padded); \"-\" the default client (the initial one)\n"
    "    open SLOT FILE [MODE]            open FILE into position block SLOT (a number) with open\n"
    "                                     mode MODE (0 normal, -2 read-only, -4 exclusive)\n"
    "    close SLOT\n"
    "    read SLOT OP KEY [HEX]           read operation OP (lock bias included, e.g. 205) in key\n"
    "                                     path KEY; HEX fills the key buffer and the start of the\n"
    "                                     data buffer (the key value, or get direct's position);\n"
    "                                     answers STATUS RECORD-HEX KEY-HEX (the key buffer without\n"
    "                                     its trailing zero bytes), or only STATUS when nothing was read\n"
    "    insert SLOT HEX [KEY]            answers STATUS RECORD-HEX (auto-increment filled in)\n"
    "    update SLOT HEX [KEY]\n"
    "    delete SLOT [KEY]\n"
    "    unlock SLOT KEY [POSITION]       unlock (KEY -1 single, -2 all multiple) a position\n"
    "    position SLOT                    answers STATUS POSITION\n"
    "    create FILE HEX [MODE]           create FILE from the file specification HEX; MODE 0\n"
    "                                     replaces (the default), -1 fails if it exists\n"
    "    index SLOT HEX [KEY]             create index: HEX the segment specifications, KEY the\n"
    "                                     key number asked for (-1, the default: the next free one)\n"
    "    drop SLOT KEY                    drop index KEY\n"
    "    begin [19|1019] | end | abort | stop\n"
    "    repeat N COMMAND...              runs COMMAND N times; answers the first status that was\n"
    "                                     not 0, else 0\n"
    "    during MS COMMAND [; COMMAND]... runs the commands in turn, again and again, for MS\n"
    "                                     milliseconds; answers how often each status came:\n"
    "                                     STATUS:COUNT ...\n"
    "    quit                             ends serving (so does the end of the input)\n";

namespace {

constexpr uint16_t bufferSize = 4096;

class Workstation {
 public:
  // The answer line to one command; empty for quit.
  std::optional<std::string> run(std::istringstream& words);

 private:
  int16_t call(uint16_t op, uint8_t* block, std::string& data, uint16_t& length, std::string& key, int8_t keyNumber) {
    Call c;
    c.operation = op;
    c.positionBlock = block;
    c.data = reinterpret_cast<uint8_t*>(data.data());
    c.dataLength = &length;
    c.key = reinterpret_cast<uint8_t*>(key.data());
    c.keyNumber = keyNumber;
    c.clientId = client_ ? client_->data() : nullptr;
    return Engine::instance().call(c);
  }
  int16_t call(uint16_t op, uint8_t* block, std::string& data, int8_t keyNumber) {
    std::string key(256, '\0');
    uint16_t length = static_cast<uint16_t>(data.size());
    return call(op, block, data, length, key, keyNumber);
  }
  uint8_t* block(int slot) { return blocks_[slot].data(); }

  std::optional<std::array<uint8_t, 16>> client_;
  std::map<int, std::array<uint8_t, 128>> blocks_;
};

std::optional<std::string> Workstation::run(std::istringstream& words) {
  std::string command;
  words >> command;
  const auto number = [&](int fallback) {
    int n = fallback;
    if (!(words >> n)) words.clear();
    return n;
  };
  const auto hex = [&]() -> std::optional<std::string> {
    std::string digits;
    words >> digits;
    return fromHex(digits);
  };

  if (command == "quit") return std::nullopt;
  if (command == "repeat") {
    int times = -1;
    words >> times;
    std::string rest;
    std::getline(words, rest);
    std::string first = "0";
    for (int i = 0; i < times; ++i) {
      std::istringstream again(rest);
      const std::optional<std::string> answer = run(again);
      if (!answer) return answer;
      const std::string status = answer->substr(0, answer->find(' '));
      if (status != "0") {
        first = status;
        break;
      }
    }
    return times < 0 ? "error" : first;
  }
  if (command == "during") {
    int milliseconds = -1;
    words >> milliseconds;
    std::string rest;
    std::getline(words, rest);
    if (milliseconds < 0) return "error";
    std::map<std::string, int> counts;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
      std::istringstream commands(rest);
      for (std::string one; std::getline(commands, one, ';');) {
        std::istringstream again(one);
        const std::optional<std::string> answer = run(again);
        if (!answer) return answer;
        ++counts[answer->substr(0, answer->find(' '))];
      }
    } while (std::chrono::steady_clock::now() < until);
    std::string summary;
    for (const auto& [status, count] : counts)
      summary += (summary.empty() ? "" : " ") + status + ":" + std::to_string(count);
    return summary;
  }
  if (command == "create") {
    std::string file;
    words >> file;
    std::optional<std::string> spec = hex();
    if (!spec) return "error";
    const int mode = number(0);
    std::string key = file + '\0';
    uint16_t length = static_cast<uint16_t>(spec->size());
    std::array<uint8_t, 128> scratch{};
    return std::to_string(call(op::create, scratch.data(), *spec, length, key, static_cast<int8_t>(mode)));
  }
  if (command == "client") {
    std::string name;
    words >> name;
    if (name == "-") {
      client_.reset();
    } else {
      client_.emplace();
      std::memcpy(client_->data(), name.data(), std::min(name.size(), client_->size()));
    }
    return "0";
  }
  if (command == "begin" || command == "end" || command == "abort" || command == "stop") {
    const uint16_t op = command == "begin" ? static_cast<uint16_t>(number(op::beginTransaction))
                        : command == "end" ? op::endTransaction
                        : command == "abort" ? op::abortTransaction
                                             : op::stop;
    std::string none;
    std::array<uint8_t, 128> scratch{};
    return std::to_string(call(op, scratch.data(), none, 0));
  }

  int slot = -1;
  if (!(words >> slot)) return "error";
  if (command == "open") {
    std::string file;
    words >> file;
    const int mode = number(0);
    blocks_[slot].fill(0);
    std::string key = file + '\0';
    std::string owner;
    uint16_t length = 0;
    return std::to_string(call(op::open, block(slot), owner, length, key, static_cast<int8_t>(mode)));
  }
  if (command == "close") {
    std::string none;
    return std::to_string(call(op::close, block(slot), none, 0));
  }
  if (command == "read") {
    const int operation = number(-1);
    const int keyNumber = number(0);
    std::string value;
    words >> value;
    const std::optional<std::string> bytes = fromHex(value);
    if (operation < 0 || !bytes) return "error";
    std::string data(bufferSize, '\0'), key(256, '\0');
    data.replace(0, bytes->size(), *bytes);
    key.replace(0, bytes->size(), *bytes);
    uint16_t length = bufferSize;
    const int16_t s = call(static_cast<uint16_t>(operation), block(slot), data, length, key, static_cast<int8_t>(keyNumber));
    if (s != status::ok && s != status::bufferTooShort) return std::to_string(s);
    return std::to_string(s) + " " + toHex(std::string_view(data).substr(0, length)) + " " +
           toHex(std::string_view(key).substr(0, key.find_last_not_of('\0') + 1));
  }
  if (command == "insert" || command == "update") {
    std::optional<std::string> record = hex();
    if (!record) return "error";
    const int keyNumber = number(0);
    const int16_t s = call(command == "insert" ? op::insert : op::update, block(slot), *record,
                           static_cast<int8_t>(keyNumber));
    return std::to_string(s) + (command == "insert" ? " " + toHex(*record) : "");
  }
  if (command == "index") {
    std::optional<std::string> segments = hex();
    if (!segments) return "error";
    const int keyNumber = number(-1);
    return std::to_string(call(op::createIndex, block(slot), *segments,
                               static_cast<int8_t>(keyNumber < 0 ? 0 : keyNumber | 0x80)));
  }
  if (command == "drop") {
    std::string none;
    return std::to_string(call(op::dropIndex, block(slot), none, static_cast<int8_t>(number(0))));
  }
  if (command == "delete") {
    std::string none;
    return std::to_string(call(op::remove, block(slot), none, static_cast<int8_t>(number(0))));
  }
  if (command == "unlock") {
    const int keyNumber = number(-1);
    std::string position(4, '\0');
    writeU32(reinterpret_cast<uint8_t*>(position.data()), static_cast<uint32_t>(number(0)));
    return std::to_string(call(op::unlock, block(slot), position, static_cast<int8_t>(keyNumber)));
  }
  if (command == "position") {
    std::string answer(4, '\0');
    const int16_t s = call(op::getPosition, block(slot), answer, 0);
    return std::to_string(s) + " " + std::to_string(s == 0 ? readU32(reinterpret_cast<uint8_t*>(answer.data())) : 0);
  }
  return "error";
}

}  // namespace

int serve(std::istream& in, std::ostream& out) {
  Workstation workstation;
  std::string line;
  while (std::getline(in, line)) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    std::istringstream words(line);
    const std::optional<std::string> answer = workstation.run(words);
    if (!answer) break;
    out << *answer << std::endl;
  }
  Engine::instance().stopAll();
  return 0;
}

}  // namespace qn::recmgr
