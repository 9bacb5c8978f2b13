#pragma once
// The bits of one trivially copyable value as another of the same size:
// the standard bit cast done by memcpy, which every C++ library has
// (compilers turn it into a plain move).

#include <cstring>
#include <type_traits>

namespace tessera {

template <typename To, typename From>
To bitCopy(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
                  std::is_trivially_copyable_v<From>);
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

} // namespace tessera
