#pragma once

// Joins constant strings at compile time into one string of static storage,
// so that a text built from a shared constant (the support fax number, the
// maker's mark) can still live in constant tables as a std::string_view.

#include <array>
#include <cstddef>
#include <string_view>

namespace qx::res::detail {

template <const std::string_view&... Parts>
struct StaticJoin {
private:
    static constexpr std::size_t kSize = (Parts.size() + ... + 0);

    static constexpr std::array<char, kSize + 1> Build()
    {
        std::array<char, kSize + 1> joined{};
        std::size_t at = 0;
        for (std::string_view part : {Parts...}) {
            for (char c : part) joined[at++] = c;
        }
        return joined;
    }

    static constexpr std::array<char, kSize + 1> kStorage = Build();

public:
    static constexpr std::string_view kValue{kStorage.data(), kSize};
};

template <const std::string_view&... Parts>
inline constexpr std::string_view kJoined = StaticJoin<Parts...>::kValue;

} // namespace qx::res::detail
