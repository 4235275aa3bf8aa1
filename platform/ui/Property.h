#pragma once
// Properties as the platform's components publish them: `Panel1->Caption = "X"` calls the setter and
// reading `Panel1->Caption` calls the getter. Each property holds a pointer to the component it belongs
// to; the getter and setter are that component's member functions.

#include <functional>

template <class Owner, class T, auto Getter, auto Setter> class Property {
public:
    explicit Property(Owner* owner) noexcept
        : owner_(owner) {}
    Property(const Property&) = delete;

    // Assigning one property to another copies the value, as on the platform.
    Property& operator=(const Property& other) { return *this = other.Get(); }
    Property& operator=(const T& value) {
        std::invoke(Setter, owner_, value);
        return *this;
    }

    T Get() const { return std::invoke(Getter, owner_); }
    operator T() const { return Get(); }
    // For calls on the value: `Edit1->Text().isEmpty()`.
    T operator()() const { return Get(); }

    friend bool operator==(const Property& p, const T& value) { return p.Get() == value; }

private:
    Owner* owner_;
};

template <class Owner, class T, auto Getter> class ReadOnlyProperty {
public:
    explicit ReadOnlyProperty(Owner* owner) noexcept
        : owner_(owner) {}
    ReadOnlyProperty(const ReadOnlyProperty&) = delete;
    ReadOnlyProperty& operator=(const ReadOnlyProperty&) = delete;

    T Get() const { return std::invoke(Getter, owner_); }
    operator T() const { return Get(); }
    T operator()() const { return Get(); }

    friend bool operator==(const ReadOnlyProperty& p, const T& value) { return p.Get() == value; }

private:
    Owner* owner_;
};
