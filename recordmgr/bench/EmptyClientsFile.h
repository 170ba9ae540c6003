#pragma once
// The benchmarks' clients file: qnseed makes an empty clients file of the program's layout in a
// folder of the run's own, the record manager is loaded, and one transaction inserts the records
// a benchmark asks for through the engine of the table opened on it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/ExecutablePath.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/Database.h"
#include "recordmgr/VirtEng.h"

namespace benchfile {

inline constexpr uint16_t kClientCodeField = 2;

// The code of client n: "C000001" and on.
inline std::string clientCode(int n) {
  char code[16];
  std::snprintf(code, sizeof code, "C%06d", n);
  return code;
}

// A new folder named after the benchmark and this process, holding data/YClient.qf (empty).
inline std::string seedEmptyClientsFolder(const std::string& name) {
  const std::string folder = (std::filesystem::temp_directory_path() / (name + std::to_string(::getpid()))).string();
  const std::string fixture = folder + "/fixture";
  std::filesystem::create_directories(fixture);
  std::FILE* seed = std::fopen((fixture + "/YClient.qf.seed").c_str(), "w");
  std::fclose(seed);
  const std::string programs = qn::os::runningProgramFolder();
  const std::string command = "'" + programs + "/qnseed' data '" + folder + "/data' '" + fixture + "' >/dev/null";
  if (std::system(command.c_str()) != 0) std::abort();
  const uint16_t status = LoadBtrieveEngine("", "wbtrv32.dll");
  if (status != 0 && status != 1016) std::abort();
  return folder;
}

// Inserts records 1..records into the open table in one transaction; fill puts record n's fields
// into the blank record buffer through the engine and the table's cursor.
template <class Table>
void insertClients(Table& table, int records,
                   const std::function<void(TVirtEng&, TBaseTable*, char*, int)>& fill) {
  TVirtEng* engine = table.Engine();
  std::vector<char> record(static_cast<size_t>(table.RecordSize()));
  table.Database()->StartTransaction();
  for (int n = 1; n <= records; ++n) {
    engine->InitRecord(table.Handle(), record.data());
    fill(*engine, table.Handle(), record.data(), n);
    if (engine->InsertRecord(table.Handle(), 0, record.data()) != 0) std::abort();
  }
  table.Database()->Commit();
}

}  // namespace benchfile
