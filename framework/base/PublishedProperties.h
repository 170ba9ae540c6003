#pragma once
// Published properties: per class, a table of named properties with their kind, read and written
// by name on any object. Components look each other's properties up this way ("DataSource",
// "PictureMasks", "OnInvalidValue" ...) without knowing each other's classes, so:
// - a name is found in the object's class or any ancestor (the nearest class wins), without case;
// - an absent name answers "absent" (nullopt / false), never an exception;
// - a read or write of another kind than the property's, a write to a read-only property, an
//   enumeration or set value outside its type, or an object of a class the property does not take
//   is refused the same way; only what the property's own setter raises comes through.
//
// A class publishes with QN_PUBLISHED_CLASS(Self, Parent) in place of QN_CLASS and defines
//   void Self::PublishProperties(PropertyPublisher<Self>& publish) {
//     publish.String("Caption", &Self::Caption, &Self::SetCaption);
//     publish.Enumeration("Style", kButtonStyles, &Self::Style, &Self::SetStyle);
//   }
// Getters and setters may be member functions (of the class or an ancestor), data members, or
// callables taking the object; a property without setter (nullptr) is read-only.
#include <any>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <type_traits>
#include <typeindex>
#include <variant>
#include <vector>

#include "framework/base/EnumSet.h"
#include "framework/base/Object.h"

class TStrings;

enum class PropertyKind { String, Integer, Boolean, Enumeration, Set, Float, Object, StringList, Event };

// The member names of an enumeration, by ordinal; a set property's members are named by one too.
struct EnumerationType {
  const char* name;
  std::vector<const char*> members;

  int Count() const { return static_cast<int>(members.size()); }
  // The ordinal of a member name (without case); -1 when none.
  int OrdinalOf(const AnsiString& memberName) const;
  // The member name of an ordinal; empty when out of range.
  AnsiString NameOf(int ordinal) const;
};

// One property's value, by kind: String AnsiString; Integer and Enumeration int64_t (the ordinal);
// Set uint64_t (mask of member ordinals); Boolean bool; Float double; Object TObject*;
// StringList TStrings*; Event std::any holding the event type.
using PropertyValue = std::variant<AnsiString, std::int64_t, std::uint64_t, bool, double, TObject*, TStrings*, std::any>;

struct PropertyInfo {
  AnsiString name;
  PropertyKind kind = PropertyKind::String;
  const EnumerationType* enumeration = nullptr;  // Enumeration and Set
  const TClassInfo* objectClass = nullptr;       // Object: the class it takes (descendants too)
  std::type_index eventType = typeid(void);      // Event: the event's C++ type
  std::function<PropertyValue(TObject&)> read;
  std::function<bool(TObject&, const PropertyValue&)> write;  // empty when read-only; false: refused
};

// The properties one class declares itself, in declaration order. Entries never move once added.
class PropertyTable {
 public:
  void Add(PropertyInfo info) { properties_.push_back(std::move(info)); }
  const std::deque<PropertyInfo>& Properties() const { return properties_; }

 private:
  std::deque<PropertyInfo> properties_;
};

// The property named Name of the object's class or an ancestor; nullptr when absent (also for a
// null object).
const PropertyInfo* FindPublishedProperty(const TObject* object, const AnsiString& Name);
// Every property of the class, ancestors' first, each name once (a redeclared name in the place of
// the ancestor's, with the descendant's definition).
std::vector<const PropertyInfo*> PublishedPropertiesOf(const TClassInfo* cls);

// Reads and writes by name. A read answers nullopt and a write false when the property is absent
// or refuses (see above).
std::optional<PropertyValue> ReadPublishedProperty(const TObject* object, const AnsiString& Name, PropertyKind kind);
bool WritePublishedProperty(TObject* object, const AnsiString& Name, PropertyKind kind, const PropertyValue& value);

std::optional<AnsiString> ReadStringProperty(const TObject* object, const AnsiString& Name);
bool WriteStringProperty(TObject* object, const AnsiString& Name, const AnsiString& Value);
std::optional<int> ReadIntegerProperty(const TObject* object, const AnsiString& Name);
bool WriteIntegerProperty(TObject* object, const AnsiString& Name, int Value);
std::optional<bool> ReadBooleanProperty(const TObject* object, const AnsiString& Name);
bool WriteBooleanProperty(TObject* object, const AnsiString& Name, bool Value);
// Enumerations by ordinal.
std::optional<int> ReadEnumerationProperty(const TObject* object, const AnsiString& Name);
bool WriteEnumerationProperty(TObject* object, const AnsiString& Name, int Ordinal);
// Sets as masks of member ordinals.
std::optional<std::uint64_t> ReadSetProperty(const TObject* object, const AnsiString& Name);
bool WriteSetProperty(TObject* object, const AnsiString& Name, std::uint64_t Mask);
std::optional<double> ReadFloatProperty(const TObject* object, const AnsiString& Name);
bool WriteFloatProperty(TObject* object, const AnsiString& Name, double Value);
// An object property that holds nothing reads as a present nullptr.
std::optional<TObject*> ReadObjectProperty(const TObject* object, const AnsiString& Name);
bool WriteObjectProperty(TObject* object, const AnsiString& Name, TObject* Value);
std::optional<TStrings*> ReadStringListProperty(const TObject* object, const AnsiString& Name);
bool WriteStringListProperty(TObject* object, const AnsiString& Name, TStrings* Value);

// Events are read and written as their own type; asking with another event type is another kind.
// An unassigned event reads as a present empty event.
template <class Event>
std::optional<Event> ReadEventProperty(const TObject* object, const AnsiString& Name) {
  const PropertyInfo* info = FindPublishedProperty(object, Name);
  if (!info || info->kind != PropertyKind::Event || info->eventType != typeid(Event)) return std::nullopt;
  return std::any_cast<Event>(std::get<std::any>(info->read(const_cast<TObject&>(*object))));
}
template <class Event>
bool WriteEventProperty(TObject* object, const AnsiString& Name, Event Value) {
  const PropertyInfo* info = FindPublishedProperty(object, Name);
  if (!info || info->kind != PropertyKind::Event || info->eventType != typeid(Event) || !info->write) return false;
  return info->write(*object, PropertyValue(std::any(std::move(Value))));
}

// Declares Self's published properties into its table; see the top of this file.
template <class Self>
class PropertyPublisher {
 public:
  explicit PropertyPublisher(PropertyTable& table) : table_(table) {}

  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& String(const char* name, Getter get, Setter set = nullptr) {
    return add(make(name, PropertyKind::String, get, set,
                    [](const auto& v) { return PropertyValue(AnsiString(v)); },
                    [](const PropertyValue& v, auto* out) {
                      *out = std::get<AnsiString>(v);
                      return true;
                    }));
  }
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& Integer(const char* name, Getter get, Setter set = nullptr) {
    return add(make(name, PropertyKind::Integer, get, set,
                    [](const auto& v) { return PropertyValue(static_cast<std::int64_t>(v)); },
                    [](const PropertyValue& v, auto* out) {
                      *out = static_cast<std::remove_pointer_t<decltype(out)>>(std::get<std::int64_t>(v));
                      return true;
                    }));
  }
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& Boolean(const char* name, Getter get, Setter set = nullptr) {
    return add(make(name, PropertyKind::Boolean, get, set,
                    [](const auto& v) { return PropertyValue(static_cast<bool>(v)); },
                    [](const PropertyValue& v, auto* out) {
                      *out = std::get<bool>(v);
                      return true;
                    }));
  }
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& Float(const char* name, Getter get, Setter set = nullptr) {
    return add(make(name, PropertyKind::Float, get, set,
                    [](const auto& v) { return PropertyValue(static_cast<double>(v)); },
                    [](const PropertyValue& v, auto* out) {
                      *out = static_cast<std::remove_pointer_t<decltype(out)>>(std::get<double>(v));
                      return true;
                    }));
  }
  // The value is an enumeration (or an integer) over the members of `type`.
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& Enumeration(const char* name, const EnumerationType& type, Getter get, Setter set = nullptr) {
    const std::int64_t count = type.Count();
    PropertyInfo info = make(name, PropertyKind::Enumeration, get, set,
                             [](const auto& v) { return PropertyValue(static_cast<std::int64_t>(v)); },
                             [count](const PropertyValue& v, auto* out) {
                               const std::int64_t ordinal = std::get<std::int64_t>(v);
                               if (ordinal < 0 || ordinal >= count) return false;
                               *out = static_cast<std::remove_pointer_t<decltype(out)>>(ordinal);
                               return true;
                             });
    info.enumeration = &type;
    return add(std::move(info));
  }
  // The value is an EnumSet (or an unsigned mask) over the members of `type`.
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& Set(const char* name, const EnumerationType& type, Getter get, Setter set = nullptr) {
    const std::uint64_t allowed = type.Count() >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << type.Count()) - 1;
    PropertyInfo info = make(name, PropertyKind::Set, get, set, [](const auto& v) { return PropertyValue(maskOf(v)); },
                             [allowed](const PropertyValue& v, auto* out) {
                               const std::uint64_t mask = std::get<std::uint64_t>(v);
                               if (mask & ~allowed) return false;
                               *out = fromMask<std::remove_pointer_t<decltype(out)>>(mask);
                               return true;
                             });
    info.enumeration = &type;
    return add(std::move(info));
  }
  // The value is a pointer to a TObject descendant; a write takes that class or its descendants.
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& Object(const char* name, Getter get, Setter set = nullptr) {
    using Pointer = ValueOf<Getter>;
    static_assert(std::is_pointer_v<Pointer>, "an object property holds a pointer");
    PropertyInfo info = make(name, PropertyKind::Object, get, set,
                             [](const auto& v) { return PropertyValue(static_cast<TObject*>(v)); },
                             [](const PropertyValue& v, Pointer* out) {
                               TObject* object = std::get<TObject*>(v);
                               Pointer typed = dynamic_cast<Pointer>(object);
                               if (object && !typed) return false;
                               *out = typed;
                               return true;
                             });
    info.objectClass = std::remove_pointer_t<Pointer>::StaticClassInfo();
    return add(std::move(info));
  }
  // The value is a TStrings*; what a write does with the list (copy it, keep it) is the setter's.
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& StringList(const char* name, Getter get, Setter set = nullptr) {
    return add(make(name, PropertyKind::StringList, get, set, [](TStrings* v) { return PropertyValue(v); },
                    [](const PropertyValue& v, TStrings** out) {
                      *out = std::get<TStrings*>(v);
                      return true;
                    }));
  }
  // The value is an event of any type (typically a std::function), read and written as that type.
  template <class Getter, class Setter = std::nullptr_t>
  PropertyPublisher& Event(const char* name, Getter get, Setter set = nullptr) {
    using EventType = ValueOf<Getter>;
    PropertyInfo info = make(name, PropertyKind::Event, get, set, [](const auto& v) { return PropertyValue(std::any(v)); },
                             [](const PropertyValue& v, EventType* out) {
                               *out = std::any_cast<EventType>(std::get<std::any>(v));
                               return true;
                             });
    info.eventType = typeid(EventType);
    return add(std::move(info));
  }

 private:
  template <class Getter>
  using ValueOf = std::decay_t<std::invoke_result_t<Getter, Self&>>;

  template <class V>
  static std::uint64_t maskOf(const V& v) {
    if constexpr (std::is_integral_v<V>)
      return static_cast<std::uint64_t>(v);
    else
      return v.Mask();
  }
  template <class V>
  static V fromMask(std::uint64_t mask) {
    if constexpr (std::is_integral_v<V>)
      return static_cast<V>(mask);
    else
      return V::FromMask(mask);
  }

  // The property's reader and writer: the getter's value through toValue; a written value through
  // fromValue (which may refuse it) into the setter.
  template <class Getter, class Setter, class ToValue, class FromValue>
  static PropertyInfo make(const char* name, PropertyKind kind, Getter get, Setter set, ToValue toValue, FromValue fromValue) {
    using V = ValueOf<Getter>;
    PropertyInfo info;
    info.name = name;
    info.kind = kind;
    info.read = [get, toValue](TObject& object) { return toValue(std::invoke(get, static_cast<Self&>(object))); };
    if constexpr (!std::is_null_pointer_v<Setter>) {
      info.write = [set, fromValue](TObject& object, const PropertyValue& value) {
        V converted{};
        if (!fromValue(value, &converted)) return false;
        Self& self = static_cast<Self&>(object);
        if constexpr (std::is_member_object_pointer_v<Setter>)
          self.*set = std::move(converted);
        else
          std::invoke(set, self, std::move(converted));
        return true;
      };
    }
    return info;
  }
  PropertyPublisher& add(PropertyInfo info) {
    table_.Add(std::move(info));
    return *this;
  }

  PropertyTable& table_;
};

#define QN_PUBLISHED_CLASS(Self, Parent)                      \
  QN_CLASS_RECORD(Self, Parent, &Self::PublishPropertiesInto) \
                                                              \
 public:                                                      \
  static void PublishProperties(PropertyPublisher<Self>& publish); \
                                                              \
 private:                                                     \
  static void PublishPropertiesInto(PropertyTable& table) {   \
    PropertyPublisher<Self> publisher(table);                 \
    PublishProperties(publisher);                             \
  }
