#pragma once

// The product's name, its maker's mark and its version text (UTF-8), shared by
// the dialog captions and the about box.

#include "resources/static_join.h"

#include <string_view>

namespace qx::res {

inline constexpr std::string_view kProductName = "QXBêta";
inline constexpr std::string_view kMakerMark = "Orvane Logiciels";

namespace detail {
inline constexpr std::string_view kCaptionSeparator = " - ";
inline constexpr std::string_view kVersionWord = " version ";
inline constexpr std::string_view kVersionNumber = "5.50J";
} // namespace detail

// "QXBêta - " followed by the maker's mark: the caption of the program's dialogs.
inline constexpr std::string_view kDialogCaption =
    detail::kJoined<kProductName, detail::kCaptionSeparator, kMakerMark>;

// The about box's version line.
inline constexpr std::string_view kVersionText =
    detail::kJoined<kProductName, detail::kVersionWord, detail::kVersionNumber>;

} // namespace qx::res
