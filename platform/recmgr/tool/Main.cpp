// qnrecmgr: makes, inspects, dumps, loads and checks record files.
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/os/Paths.h"
#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/tool/FileCreation.h"
#include "platform/recmgr/tool/FileSpecJson.h"
#include "platform/recmgr/tool/RecordDump.h"
#include "platform/recmgr/tool/Serve.h"

namespace {

using namespace qn::recmgr;

constexpr const char* usage =
    "usage: qnrecmgr COMMAND ...\n"
    "  create FILE SPEC.json [--replace]  make a record file from a JSON description\n"
    "  stat FILE                          print the file's layout and record count as JSON\n"
    "  dump FILE [--key N]                print the records, one JSON object a line,\n"
    "                                     in physical order or in the order of key N\n"
    "  load FILE RECORDS                  insert the records of a dump file (\"hex\" or \"text\")\n"
    "  check FILE                         compare every record with its keys; exit 1 on a problem\n"
    "  --help                             this text\n";

void printUsage(std::ostream& out) { out << usage << serveHelp; }

int fail(const std::string& message) {
  std::cerr << "qnrecmgr: " << message << "\n";
  return 1;
}

int failStatus(const std::string& what, Status s) { return fail(what + ": status " + std::to_string(s)); }

Status openFile(const std::string& name, std::unique_ptr<RecordFile>& file) {
  return RecordFile::open(qn::os::resolvePath(name), file);
}

int create(const std::string& name, const std::string& specPath, bool replace) {
  std::ifstream in(specPath);
  if (!in) return fail("cannot read " + specPath);
  try {
    createRecordFile(qn::os::resolvePath(name), nlohmann::json::parse(in), replace);
  } catch (const nlohmann::json::exception& e) {
    return fail(specPath + ": " + e.what());
  } catch (const FileSpecJsonError& e) {
    return fail(specPath + ": " + e.what());
  }
  return 0;
}

int stat(const std::string& name) {
  std::unique_ptr<RecordFile> file;
  if (Status s = openFile(name, file); s != status::ok) return failStatus("cannot open " + name, s);
  uint32_t count = 0;
  if (Status s = file->recordCount(count); s != status::ok) return failStatus("cannot read " + name, s);
  nlohmann::json d = fileDescriptionToJson(file->spec(), file->owner());
  d["recordCount"] = count;
  std::cout << d.dump(2) << "\n";
  return 0;
}

int dump(const std::string& name, int keyNumber) {
  std::unique_ptr<RecordFile> file;
  if (Status s = openFile(name, file); s != status::ok) return failStatus("cannot open " + name, s);
  const KeySpec* key = nullptr;
  if (keyNumber >= 0 && !(key = file->spec().key(keyNumber))) return fail(name + " has no key " + std::to_string(keyNumber));
  StoredRecord record;
  Status s = key ? file->seek(*key, KeySeek::first, {}, 0, record) : file->step(PhysicalStep::first, 0, record);
  while (s == status::ok) {
    std::cout << dumpLine(record.position, record.bytes) << "\n";
    s = key ? file->seek(*key, KeySeek::next, *record.image, record.stamp, record)
            : file->step(PhysicalStep::next, record.position, record);
  }
  return s == status::endOfFile ? 0 : failStatus("reading " + name + " stopped", s);
}

int load(const std::string& name, const std::string& recordsPath) {
  std::unique_ptr<RecordFile> file;
  if (Status s = openFile(name, file); s != status::ok) return failStatus("cannot open " + name, s);
  std::ifstream in(recordsPath);
  if (!in) return fail("cannot read " + recordsPath);
  std::string line;
  int lineNumber = 0;
  std::vector<std::string> records;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    try {
      records.push_back(recordFromLine(line));
    } catch (const RecordDumpError& e) {
      return fail(recordsPath + ":" + std::to_string(lineNumber) + ": " + e.what());
    }
    if (records.back().size() < file->spec().recordLength) records.back().resize(file->spec().recordLength, '\0');
  }
  // All or nothing, in one transaction.
  if (Status s = file->insertAll(records); s != status::ok) return failStatus(recordsPath + ": nothing loaded", s);
  std::cout << records.size() << " records loaded\n";
  return 0;
}

int check(const std::string& name) {
  std::unique_ptr<RecordFile> file;
  if (Status s = openFile(name, file); s != status::ok) return failStatus("cannot open " + name, s);
  const std::vector<std::string> problems = file->check();
  for (const std::string& p : problems) std::cout << p << "\n";
  if (problems.empty()) std::cout << "ok\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    printUsage(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 1 : 0;
  }
  const std::string& command = args[0];
  try {
    if (command == "create" && (args.size() == 3 || (args.size() == 4 && args[3] == "--replace")))
      return create(args[1], args[2], args.size() == 4);
    if (command == "stat" && args.size() == 2) return stat(args[1]);
    if (command == "dump" && args.size() == 2) return dump(args[1], -1);
    if (command == "dump" && args.size() == 4 && args[2] == "--key") return dump(args[1], std::stoi(args[3]));
    if (command == "load" && args.size() == 3) return load(args[1], args[2]);
    if (command == "check" && args.size() == 2) return check(args[1]);
    if (command == "serve" && args.size() == 1) return serve(std::cin, std::cout);
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  printUsage(std::cerr);
  return 1;
}
