#include "text/best_fit.h"

#include "text/cp1252.h"

#include <iconv.h>
#include <locale.h>

namespace qx::text {
namespace {

constexpr char kNoFit = '?';

// The C.UTF-8 locale for the calling thread while the object lives.
class FixedLocale {
public:
    FixedLocale() : m_locale(::newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(0)))
    {
        if (m_locale != static_cast<locale_t>(0)) m_previous = ::uselocale(m_locale);
    }
    ~FixedLocale()
    {
        if (m_locale == static_cast<locale_t>(0)) return;
        ::uselocale(m_previous);
        ::freelocale(m_locale);
    }
    FixedLocale(const FixedLocale&) = delete;
    FixedLocale& operator=(const FixedLocale&) = delete;

    bool Active() const { return m_locale != static_cast<locale_t>(0); }

private:
    locale_t m_locale;
    locale_t m_previous = static_cast<locale_t>(0);
};

// glibc's converter to Windows-1252 with transliteration.
class Transliterator {
public:
    Transliterator() : m_cd(::iconv_open("WINDOWS-1252//TRANSLIT", "UTF-8")) {}
    ~Transliterator()
    {
        if (Usable()) ::iconv_close(m_cd);
    }
    Transliterator(const Transliterator&) = delete;
    Transliterator& operator=(const Transliterator&) = delete;

    bool Usable() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // The best fit of one character (its UTF-8 sequence): "?" when there is
    // none, empty for a mark glibc drops (a lone combining accent).
    std::string Fit(std::string_view sequence)
    {
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(sequence.data());
        std::size_t inLeft = sequence.size();
        char out[64];
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        const std::size_t done = ::iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
        if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::string(1, kNoFit);
        return std::string(out, static_cast<std::size_t>(outPtr - out));
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string Utf8ToCp1252BestFit(std::string_view utf8)
{
    const FixedLocale locale;
    Transliterator transliterator;
    const bool canFit = locale.Active() && transliterator.Usable();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t len = DecodeUtf8(utf8, i, codePoint);
        if (len == 0) {
            out += kNoFit;
            ++i;
            continue;
        }
        const char held = CodePointToCp1252(codePoint);
        if (held != kNoFit || codePoint == U'?') {
            out += held;
        } else {
            out += canFit ? transliterator.Fit(utf8.substr(i, len)) : std::string(1, kNoFit);
        }
        i += len;
    }
    return out;
}

} // namespace qx::text
