#pragma once
// EnumSet: a set of the members of one enumeration (at most 64 members, ordinals 0..63), as the
// component state and set-typed published properties hold them. The mask bit n stands for ordinal n.
#include <cstdint>
#include <initializer_list>

template <class E>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> members) {
    for (E member : members) Include(member);
  }
  static constexpr EnumSet FromMask(std::uint64_t mask) {
    EnumSet set;
    set.mask_ = mask;
    return set;
  }

  constexpr std::uint64_t Mask() const { return mask_; }
  constexpr bool Empty() const { return mask_ == 0; }
  constexpr bool Contains(E member) const { return (mask_ & bit(member)) != 0; }
  constexpr EnumSet& Include(E member) {
    mask_ |= bit(member);
    return *this;
  }
  constexpr EnumSet& Exclude(E member) {
    mask_ &= ~bit(member);
    return *this;
  }

  friend constexpr bool operator==(EnumSet a, EnumSet b) = default;

 private:
  static constexpr std::uint64_t bit(E member) { return std::uint64_t{1} << static_cast<unsigned>(member); }

  std::uint64_t mask_ = 0;
};
