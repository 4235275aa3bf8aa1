#pragma once
// The platform's small sets of enumeration values (shift state, border icons, font styles), written as
// it writes them: `TShiftState() << ssCtrl`, `Shift.Contains(ssAlt)`.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E> class TSet {
    static_assert(std::is_enum_v<E>, "a set holds values of one enumeration");

public:
    constexpr TSet() noexcept = default;
    constexpr TSet(std::initializer_list<E> items) noexcept {
        for (E e : items)
            bits_ |= Bit(e);
    }

    constexpr TSet& operator<<(E e) noexcept {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& operator>>(E e) noexcept {
        bits_ &= ~Bit(e);
        return *this;
    }
    constexpr bool Contains(E e) const noexcept { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }

    constexpr TSet operator+(TSet other) const noexcept { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator*(TSet other) const noexcept { return FromBits(bits_ & other.bits_); }
    constexpr TSet operator-(TSet other) const noexcept { return FromBits(bits_ & ~other.bits_); }
    constexpr bool operator==(const TSet&) const noexcept = default;

private:
    static constexpr std::uint64_t Bit(E e) noexcept { return std::uint64_t{1} << static_cast<unsigned>(e); }
    static constexpr TSet FromBits(std::uint64_t bits) noexcept {
        TSet s;
        s.bits_ = bits;
        return s;
    }

    std::uint64_t bits_ = 0;
};
