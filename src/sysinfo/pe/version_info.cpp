#include "sysinfo/pe/version_info.h"

#include "bytes/little_endian.h"
#include "sysinfo/pe/pe_layout.h"
#include "text/ascii_case.h"
#include "text/cp1252.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace qx::sysinfo::pe {

namespace {

using Span = std::span<const std::uint8_t>;

constexpr std::size_t Align(std::size_t offset)
{
    return (offset + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
}

// UTF-16 code units from `offset` up to a zero unit or `end`, as Windows-1252.
std::string Utf16ToCp1252(Span bytes, std::size_t offset, std::size_t end)
{
    std::string text;
    for (std::size_t at = offset; at + 2 <= end; at += 2) {
        const char32_t unit = GetLe16(bytes, at);
        if (unit == 0) break;
        char32_t codePoint = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 4 <= end) {
            const char32_t low = GetLe16(bytes, at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                codePoint = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        text += text::CodePointToCp1252(codePoint);
    }
    return text;
}

// One block of the resource: its key, value and children, all inside it.
class Block {
public:
    static std::optional<Block> At(Span bytes, std::size_t offset)
    {
        if (offset > bytes.size() || bytes.size() - offset < kBlockHeaderSize) return std::nullopt;
        const std::size_t length = GetLe16(bytes, offset);
        if (length < kBlockHeaderSize || length > bytes.size() - offset) return std::nullopt;
        Block block;
        block.m_bytes = bytes.subspan(offset, length);
        const std::size_t valueLength = GetLe16(block.m_bytes, 2);
        const bool text = GetLe16(block.m_bytes, 4) == kBlockTypeText;

        std::size_t keyEnd = kBlockHeaderSize;
        while (keyEnd + 2 <= length && GetLe16(block.m_bytes, keyEnd) != 0) keyEnd += 2;
        if (keyEnd + 2 > length) return std::nullopt;
        block.m_key = block.m_bytes.subspan(kBlockHeaderSize, keyEnd - kBlockHeaderSize);
        block.m_valueOffset = std::min(Align(keyEnd + 2), length);
        block.m_valueLength = valueLength;
        block.m_valueBytes = std::min(text ? valueLength * std::size_t{2} : valueLength, length - block.m_valueOffset);
        block.m_childrenOffset = std::min(Align(block.m_valueOffset + block.m_valueBytes), length);
        return block;
    }

    bool KeyIs(std::string_view key) const
    {
        if (m_key.size() != key.size() * 2) return false;
        for (std::size_t i = 0; i < key.size(); ++i) {
            const std::uint16_t unit = GetLe16(m_key, i * 2);
            const char c = static_cast<char>(unit);
            if (unit > 0x7F || text::ToLowerAscii(c) != text::ToLowerAscii(key[i])) return false;
        }
        return true;
    }

    std::optional<Block> Child(std::string_view key) const
    {
        std::size_t at = m_childrenOffset;
        while (const std::optional<Block> child = At(m_bytes, at)) {
            if (child->KeyIs(key)) return child;
            at = Align(at + child->m_bytes.size());
        }
        return std::nullopt;
    }

    // The value as bytes (binary blocks), within the block.
    Span Value() const { return m_bytes.subspan(m_valueOffset, m_valueBytes); }

    // The value as a zero-terminated UTF-16 text, within the block.
    std::string Text() const
    {
        if (m_valueLength == 0) return {};
        return Utf16ToCp1252(m_bytes, m_valueOffset, m_bytes.size());
    }

private:
    Span m_bytes;
    Span m_key;
    std::size_t m_valueOffset = 0;
    std::size_t m_valueLength = 0;
    std::size_t m_valueBytes = 0;
    std::size_t m_childrenOffset = 0;
};

constexpr std::size_t kTranslationEntrySize = 4;

} // namespace

std::optional<std::string> QueryFileVersion(Span resource)
{
    const std::optional<Block> root = Block::At(resource, 0);
    if (!root) return std::nullopt;

    const std::optional<Block> varInfo = root->Child("VarFileInfo");
    const std::optional<Block> translation = varInfo ? varInfo->Child("Translation") : std::nullopt;
    if (!translation || translation->Value().size() < kTranslationEntrySize) return std::nullopt;
    const std::uint16_t language = GetLe16(translation->Value(), 0);
    const std::uint16_t codePage = GetLe16(translation->Value(), 2);

    char tableKey[9];
    std::snprintf(tableKey, sizeof tableKey, "%04X%04X", static_cast<unsigned>(language), static_cast<unsigned>(codePage));
    const std::optional<Block> stringInfo = root->Child("StringFileInfo");
    const std::optional<Block> table = stringInfo ? stringInfo->Child(tableKey) : std::nullopt;
    const std::optional<Block> value = table ? table->Child("FileVersion") : std::nullopt;
    if (!value) return std::nullopt;
    return value->Text();
}

} // namespace qx::sysinfo::pe
