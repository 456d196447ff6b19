// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

namespace Toolkit {

// Puts a value in place of a process-wide one for as long as it lives, through
// a setter that returns the value it replaces, and gives the replaced value
// back when it goes: on every way out of the scope, an early return of a
// failed check included. Overrides of one setter nest; each gives back what
// it found.
//
//     const Toolkit::ScopedOverride fault(Toolkit::setReplaceFault, [](Toolkit::ReplaceStep) { return 5; });
//     const Toolkit::ScopedOverride service(Browser::setService, &fake);
//
// The value is converted to the setter's type, so a lambda, a derived
// pointer, nullptr or {} all do.
template <typename T>
class ScopedOverride
{
public:
    ScopedOverride(T (*setter)(T), T value) : m_setter(setter), m_previous(setter(std::move(value))) {}
    ~ScopedOverride() { m_setter(std::move(m_previous)); }

    ScopedOverride(const ScopedOverride &) = delete;
    ScopedOverride &operator=(const ScopedOverride &) = delete;

private:
    T (*m_setter)(T);
    T m_previous;
};

// The type comes from the setter alone, not from the value given.
template <typename T, typename V>
ScopedOverride(T (*)(T), V &&) -> ScopedOverride<T>;

} // namespace Toolkit
