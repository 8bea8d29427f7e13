#pragma once

// What the report text and the printed report write alike: the two
// questions' answers (radio buttons 0, 1, 2) and the "%-Ns" of their column
// lines.

#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qx::report {

using AnswerTexts = std::array<res::StringId, 3>;

// "Oui", "Non", "Ne sais pas".
inline constexpr AnswerTexts kReproducibleAnswers{res::kAnswerYes, res::kAnswerNo, res::kAnswerDontKnow};
// The 16-bit mode, the 32-bit mode, "Ne sais pas".
inline constexpr AnswerTexts kTestModeAnswers{res::kAnswer16Bits, res::kAnswer32Bits, res::kAnswerDontKnow};

// The label followed by the text of answer 0, 1 or 2; empty for any other
// answer (no answer chosen).
inline std::string AnsweredLabel(res::StringId label, int answer, const AnswerTexts& answers)
{
    if (answer < 0 || answer >= static_cast<int>(answers.size())) return {};
    return LoadResString(label) + LoadResString(answers[static_cast<std::size_t>(answer)]);
}

// printf's "%-Ns": left-aligned, blanks added up to `width`, never cut.
inline std::string PadRight(std::string_view text, std::size_t width)
{
    std::string padded(text);
    if (padded.size() < width) padded.append(width - padded.size(), ' ');
    return padded;
}

} // namespace qx::report
