#pragma once

// Small PE images with a version resource, made by code for the file version
// tests and the fuzz corpus. The version resource is built from blocks, so a
// test can also write blocks that are wrong on purpose.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qx::test {

using Bytes = std::vector<std::uint8_t>;

// One block of a VS_VERSIONINFO tree, as stored.
struct VersionBlock {
    std::string key; // ASCII
    std::uint16_t type = 0; // 1 for text values
    std::uint16_t valueLength = 0; // as stored: bytes for binary, characters for text
    Bytes value;
    std::vector<VersionBlock> children;
};

// Text value: UTF-8 `text` as UTF-16 with its terminating zero.
VersionBlock TextBlock(const std::string& key, const std::string& text);
// "Translation" with each entry as language (low 16 bits) and code page (high).
VersionBlock TranslationBlock(const std::vector<std::uint32_t>& entries);

Bytes EncodeBlock(const VersionBlock& block);

struct StringTable {
    std::uint16_t language = 0x040C;
    std::uint16_t codePage = 0x04E4;
    std::vector<std::pair<std::string, std::string>> values; // key, UTF-8 text
};

struct VersionResourceSpec {
    bool withVarFileInfo = true;
    std::vector<std::uint32_t> translations = {0x04E4040C};
    std::vector<StringTable> tables;
    enum class Order { StringInfoFirst, VarInfoFirst } order = Order::StringInfoFirst;
};

// The usual resource: one table (040C, 04E4) with "FileVersion" = `version`.
VersionResourceSpec SimpleVersion(const std::string& version);

// The VS_VERSIONINFO block with its fixed file information, StringFileInfo
// and VarFileInfo.
VersionBlock VersionInfoBlock(const VersionResourceSpec& wanted);

enum class PeKind { Pe32, Pe32Plus };

struct PeImageSpec {
    PeKind kind = PeKind::Pe32;
    Bytes versionResource; // empty: a resource section without RT_VERSION
    std::uint32_t versionName = 1;
};

// Where the parts of a built image lie (file offsets), for tests that break them.
struct PeImage {
    Bytes bytes;
    std::size_t peHeaderOffset = 0;
    std::size_t resourceSectionOffset = 0;
    std::size_t nameEntryOffset = 0;      // the version type's name entry
    std::size_t languageEntryOffset = 0;  // its language entry
    std::size_t dataEntryOffset = 0;
    std::size_t resourceDataOffset = 0;
};

PeImage BuildPeImage(const PeImageSpec& wanted);

// A PE32 image whose FileVersion is `version`.
Bytes PeWithVersion(const std::string& version, PeKind kind = PeKind::Pe32);

} // namespace qx::test
