#include "framework/base/PublishedProperties.h"

#include <strings.h>

#include <mutex>
#include <unordered_map>

namespace {

bool sameName(const AnsiString& a, const AnsiString& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// Each class's own table, built from its publish function on first use and kept for the run.
const PropertyTable& ownTable(const TClassInfo* cls) {
  static std::mutex mutex;
  static std::unordered_map<const TClassInfo*, PropertyTable> tables;
  std::lock_guard lock(mutex);
  auto [entry, isNew] = tables.try_emplace(cls);
  if (isNew && cls->publish) cls->publish(entry->second);
  return entry->second;
}

const PropertyInfo* findIn(const TClassInfo* cls, const AnsiString& name) {
  for (; cls; cls = cls->parent)
    for (const PropertyInfo& info : ownTable(cls).Properties())
      if (sameName(info.name, name)) return &info;
  return nullptr;
}

}  // namespace

int EnumerationType::OrdinalOf(const AnsiString& memberName) const {
  for (int i = 0; i < Count(); ++i)
    if (sameName(members[i], memberName)) return i;
  return -1;
}

AnsiString EnumerationType::NameOf(int ordinal) const {
  return ordinal >= 0 && ordinal < Count() ? AnsiString(members[ordinal]) : AnsiString();
}

const PropertyInfo* FindPublishedProperty(const TObject* object, const AnsiString& Name) {
  return object ? findIn(object->ClassInfo(), Name) : nullptr;
}

std::vector<const PropertyInfo*> PublishedPropertiesOf(const TClassInfo* cls) {
  std::vector<const TClassInfo*> chain;
  for (; cls; cls = cls->parent) chain.insert(chain.begin(), cls);
  std::vector<const PropertyInfo*> result;
  for (const TClassInfo* c : chain)
    for (const PropertyInfo& info : ownTable(c).Properties()) {
      bool replaced = false;
      for (const PropertyInfo*& existing : result)
        if (sameName(existing->name, info.name)) {
          existing = &info;
          replaced = true;
        }
      if (!replaced) result.push_back(&info);
    }
  return result;
}

std::optional<PropertyValue> ReadPublishedProperty(const TObject* object, const AnsiString& Name, PropertyKind kind) {
  const PropertyInfo* info = FindPublishedProperty(object, Name);
  if (!info || info->kind != kind) return std::nullopt;
  return info->read(const_cast<TObject&>(*object));
}

bool WritePublishedProperty(TObject* object, const AnsiString& Name, PropertyKind kind, const PropertyValue& value) {
  const PropertyInfo* info = FindPublishedProperty(object, Name);
  if (!info || info->kind != kind || !info->write) return false;
  return info->write(*object, value);
}

namespace {

template <class T>
std::optional<T> readAs(const TObject* object, const AnsiString& name, PropertyKind kind) {
  std::optional<PropertyValue> value = ReadPublishedProperty(object, name, kind);
  if (!value) return std::nullopt;
  return std::get<T>(*value);
}

}  // namespace

std::optional<AnsiString> ReadStringProperty(const TObject* object, const AnsiString& Name) {
  return readAs<AnsiString>(object, Name, PropertyKind::String);
}
bool WriteStringProperty(TObject* object, const AnsiString& Name, const AnsiString& Value) {
  return WritePublishedProperty(object, Name, PropertyKind::String, Value);
}

std::optional<int> ReadIntegerProperty(const TObject* object, const AnsiString& Name) {
  std::optional<std::int64_t> value = readAs<std::int64_t>(object, Name, PropertyKind::Integer);
  return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}
bool WriteIntegerProperty(TObject* object, const AnsiString& Name, int Value) {
  return WritePublishedProperty(object, Name, PropertyKind::Integer, std::int64_t{Value});
}

std::optional<bool> ReadBooleanProperty(const TObject* object, const AnsiString& Name) {
  return readAs<bool>(object, Name, PropertyKind::Boolean);
}
bool WriteBooleanProperty(TObject* object, const AnsiString& Name, bool Value) {
  return WritePublishedProperty(object, Name, PropertyKind::Boolean, Value);
}

std::optional<int> ReadEnumerationProperty(const TObject* object, const AnsiString& Name) {
  std::optional<std::int64_t> value = readAs<std::int64_t>(object, Name, PropertyKind::Enumeration);
  return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}
bool WriteEnumerationProperty(TObject* object, const AnsiString& Name, int Ordinal) {
  return WritePublishedProperty(object, Name, PropertyKind::Enumeration, std::int64_t{Ordinal});
}

std::optional<std::uint64_t> ReadSetProperty(const TObject* object, const AnsiString& Name) {
  return readAs<std::uint64_t>(object, Name, PropertyKind::Set);
}
bool WriteSetProperty(TObject* object, const AnsiString& Name, std::uint64_t Mask) {
  return WritePublishedProperty(object, Name, PropertyKind::Set, Mask);
}

std::optional<double> ReadFloatProperty(const TObject* object, const AnsiString& Name) {
  return readAs<double>(object, Name, PropertyKind::Float);
}
bool WriteFloatProperty(TObject* object, const AnsiString& Name, double Value) {
  return WritePublishedProperty(object, Name, PropertyKind::Float, Value);
}

std::optional<TObject*> ReadObjectProperty(const TObject* object, const AnsiString& Name) {
  return readAs<TObject*>(object, Name, PropertyKind::Object);
}
bool WriteObjectProperty(TObject* object, const AnsiString& Name, TObject* Value) {
  return WritePublishedProperty(object, Name, PropertyKind::Object, Value);
}

std::optional<TStrings*> ReadStringListProperty(const TObject* object, const AnsiString& Name) {
  return readAs<TStrings*>(object, Name, PropertyKind::StringList);
}
bool WriteStringListProperty(TObject* object, const AnsiString& Name, TStrings* Value) {
  return WritePublishedProperty(object, Name, PropertyKind::StringList, Value);
}
