// A data folder for the benchmarks: the files qnseed makes empty from empty seeds, then filled
// through the record manager, one transaction a file, as fast as records can go in.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>

#include "datagrid/DcTbTable.h"
#include "framework/db/Field.h"
#include "platform/os/ExecutablePath.h"
#include "recordmgr/bench/EmptyClientsFile.h"

namespace qn::bench {

// The folder scratch/name with the files named, empty; a failed seeding ends the benchmark.
inline std::string seedEmptyDataFolder(const std::filesystem::path& scratch, const std::string& name,
                                       std::initializer_list<const char*> files) {
  const std::filesystem::path fixture = scratch / (name + "-fixture");
  std::filesystem::create_directories(fixture);
  for (const char* file : files) std::ofstream(fixture / (std::string(file) + ".seed")).close();
  const std::string data = (scratch / name).string();
  const std::string command =
      "'" + qn::os::runningProgramFolder() + "/qnseed' data '" + data + "' '" + fixture.string() + "' >/dev/null";
  if (std::system(command.c_str()) != 0) std::abort();
  return data;
}

// Puts a field of the record being built, by its name.
using PutField = std::function<void(const char* field, const AnsiString& value)>;

// Records 1..records into the file of the data folder, each built by put.
inline void fillTable(const std::string& data, const char* file, const char* layout, int records,
                      const std::function<void(const PutField& put, int n)>& put) {
  TdcTbTable table(nullptr);
  table.SetDatabaseName(data.c_str());
  table.SetTableName(AnsiString(file) + ";RES:" + layout);
  table.Open();
  benchfile::insertClients(table, records, [&](TVirtEng& engine, TBaseTable* cursor, char* record, int n) {
    put(
        [&](const char* field, const AnsiString& value) {
          engine.PutField(cursor, static_cast<uint16_t>(table.FieldByName(field)->FieldNo()), record, value.c_str());
        },
        n);
  });
}

}  // namespace qn::bench
