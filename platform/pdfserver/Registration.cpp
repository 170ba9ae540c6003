#include "platform/pdfserver/Registration.h"

#include <vector>

#include "platform/os/RegistryKey.h"
#include "platform/pdfserver/PdfServerIds.h"

namespace qn::pdfserver {
namespace {

struct KeyValue {
  std::string key;
  std::string name;  // empty: the key's default value
  std::string value;
};

std::string shortName(const std::string& name) {
  if (name.size() <= 8 && name.find_first_of(" .") == std::string::npos) return name;
  std::string squeezed;
  for (char c : name)
    if (c != ' ') squeezed += c;
  const std::size_t dot = squeezed.find('.');
  // The first six characters of the whole name, a dot among them as it falls.
  return squeezed.substr(0, 6) + "~1" + (dot == std::string::npos ? "" : squeezed.substr(dot));
}

std::vector<KeyValue> machineValues(const std::string& server) {
  const std::string clsid = std::string("\\Software\\CLASSES\\CLSID\\") + ClassId;
  const std::string typeLib = std::string("\\software\\CLASSES\\CLSID\\") + ClassId + "\\TypeLib";
  return {
      {clsid, "", "PDFDocument Object"},
      {typeLib, "", TypeLibraryId},
      {typeLib + "\\1.0", "", "PDFREPORT_XP library"},
      {typeLib + "\\1.0\\FLAGS", "", "0"},
      {typeLib + "\\1.0\\0\\Win32", "", server},
      {clsid + "\\InprocServer32", "", server},
      {clsid + "\\InprocServer32", "ThreadingModel", "Both"},
      {clsid + "\\ProgID", "", ProgId},
      {clsid + "\\Version", "", "1.0"},
  };
}

std::vector<KeyValue> classesRootValues(const std::string& server) {
  const std::string clsid = std::string("\\CLSID\\") + ClassId;
  return {
      {clsid, "", "PDFDocument Object"},
      {clsid + "\\TypeLib", "", TypeLibraryId},
      {clsid + "\\InprocServer32", "", server},
      {clsid + "\\InprocServer32", "ThreadingModel", "Both"},
      {clsid + "\\ProgID", "", ProgId},
      {clsid + "\\Version", "", "1.0"},
  };
}

// Writes the values in order; false at the first key that cannot be opened.
bool writeValues(uint32_t root, const std::vector<KeyValue>& values, RegistrationWrite& result) {
  qn::os::RegistryKey registry(root);
  for (const KeyValue& v : values) {
    if (!registry.OpenKey(v.key, true)) {
      result.error = "Unable to open the key " + v.key;
      return false;
    }
    registry.WriteString(v.name, v.value);
    ++result.valuesWritten;
  }
  return true;
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string ServerPath(const std::string& programFolder) {
  const std::string server = std::string("\\") + ServerFileName;
  if (programFolder.find('\\') == std::string::npos) return programFolder + server;
  std::string path;
  std::size_t start = 0;
  while (start <= programFolder.size()) {
    std::size_t end = programFolder.find('\\', start);
    if (end == std::string::npos) end = programFolder.size();
    const std::string part = programFolder.substr(start, end - start);
    // The drive ("C:") and empty parts of a trailing '\' stay as they are.
    path += start == 0 || part.empty() ? part : shortName(part);
    if (end < programFolder.size()) path += '\\';
    start = end + 1;
  }
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path + server;
}

RegistrationWrite WriteRegistration(const std::string& programFolder) {
  RegistrationWrite result;
  const std::string server = ServerPath(programFolder);
  try {
    result.written = writeValues(qn::os::HKEY_LOCAL_MACHINE, machineValues(server), result) &&
                     writeValues(qn::os::HKEY_CLASSES_ROOT, classesRootValues(server), result);
  } catch (const qn::os::RegistryError& e) {
    result.written = false;
    result.raised = true;
    result.error = e.what();
  }
  return result;
}

RegisteredPath ReadRegisteredPath() {
  RegisteredPath result;
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE, qn::os::KEY_READ);
  result.keyOpened =
      registry.OpenKeyReadOnly(std::string("Software\\CLASSES\\CLSID\\") + ClassId + "\\InprocServer32");
  if (!result.keyOpened) return result;
  result.valueRead = registry.ValueExists("");
  if (result.valueRead) result.path = trimmed(registry.ReadString("").substr(0, 512));
  return result;
}

std::string ClassesRootServerPath() {
  qn::os::RegistryKey registry(qn::os::HKEY_CLASSES_ROOT, qn::os::KEY_READ);
  if (!registry.OpenKeyReadOnly(std::string("\\CLSID\\") + ClassId + "\\InprocServer32")) return "";
  return trimmed(registry.ReadString(""));
}

}  // namespace qn::pdfserver
