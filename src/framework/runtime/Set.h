#pragma once

#include <cstdint>
#include <initializer_list>

// A set of members of an enumeration, one bit per member at its ordinal position.
template <typename TEnum>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<TEnum> members) {
    for (TEnum member : members) {
      Include(member);
    }
  }

  constexpr bool Contains(TEnum member) const { return (FBits & Bit(member)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr void Include(TEnum member) { FBits |= Bit(member); }
  constexpr void Exclude(TEnum member) { FBits &= ~Bit(member); }

  friend constexpr bool operator==(TSet, TSet) = default;

private:
  static constexpr std::uint32_t Bit(TEnum member) {
    return std::uint32_t{1} << static_cast<unsigned>(member);
  }

  std::uint32_t FBits = 0;
};
