// SPDX-License-Identifier: GPL-3.0-or-later
// The forms file (data/ZelvoranForms.dat): inflected forms of each language leading to their
// base words, written by the data compiler and read whole by the program.
//
// Layout (integers little-endian):
//   "ZVFORMS1"                                   magic
//   two sections, English then Greek, each:
//     u32 base count, u32 base bytes, the bases  (NUL-terminated texts; Windows-1253)
//     u32 entry count, u32 block count, u32 data bytes
//     u32 offset of each block within the data
//     the data: blocks of up to kFormsBlockSize entries sorted by (FoldForm(form), form); an
//     entry is u8 bytes shared with the entry before it in its block (0 for a block's first),
//     u8 length of the rest, the rest, varint count of bases, varint base numbers, best first.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

inline constexpr std::string_view kFormsFile = "data\\ZelvoranForms.dat";
inline constexpr std::string_view kFormsFileName = "ZelvoranForms.dat";
inline constexpr std::string_view kFormsMagic = "ZVFORMS1";
inline constexpr size_t kFormsBlockSize = 16;
// Longest form or base the file holds.
inline constexpr size_t kFormMaxBytes = 64;

// The comparison form of the file's order: lower case, Greek accents and diaeresis off, the
// final sigma as σ.
std::string FoldForm(std::string_view text);
unsigned char FoldFormChar(unsigned char c);

// One section's forms before encoding: each form with its bases, best first.
struct FormsSectionSource {
  struct Entry {
    std::string form;
    std::vector<std::string> bases;
  };
  std::vector<Entry> entries;
};

// Encodes both sections (English, Greek). Forms and bases longer than kFormMaxBytes or empty
// are left out; a form listed twice has its bases merged in the order met.
std::string EncodeFormsFile(const FormsSectionSource& english, const FormsSectionSource& greek);

// One form of a section and its bases, as found.
struct FormMatch {
  std::string form;
  std::vector<std::string_view> bases;
};

// A read forms file. Reading never trusts the bytes: every block is decoded with bounds checks,
// and a damaged block reads as holding nothing.
class FormsFile {
 public:
  // nullopt with a message when the header or a table does not fit the bytes.
  static std::optional<FormsFile> Parse(std::string bytes, std::string* error = nullptr);

  // Entries of section `greek` whose FoldForm equals FoldForm(`form`), in file order.
  std::vector<FormMatch> Find(bool greek, std::string_view form) const;

  size_t EntryCount(bool greek) const { return sections_[greek ? 1 : 0].entries; }
  size_t BaseCount(bool greek) const { return sections_[greek ? 1 : 0].base_offsets.size(); }
  std::string_view Base(bool greek, size_t number) const;
  size_t Bytes() const { return bytes_.size(); }

  // Walks every entry of a section in order; false from the callback stops. Returns false when
  // the section's data is damaged (a fault message in `fault`).
  bool ForEach(
      bool greek,
      const std::function<bool(std::string_view form, const std::vector<uint32_t>& bases)>& visit,
      std::string* fault = nullptr) const;

 private:
  struct Section {
    std::vector<uint32_t> base_offsets;  // into bytes_
    size_t entries = 0;
    size_t data = 0;  // offset of the data in bytes_
    size_t data_bytes = 0;
    std::vector<uint32_t> blocks;  // offsets within the data
  };
  // Decodes the block's entries; false when it is damaged.
  bool DecodeBlock(
      const Section& s, size_t block,
      const std::function<bool(std::string_view, const std::vector<uint32_t>&)>& visit) const;
  std::string FirstForm(const Section& s, size_t block) const;

  std::string bytes_;
  Section sections_[2];
};

// Reads the forms file of a program folder; nullopt when it is missing or damaged.
class FileSystem;
std::optional<FormsFile> LoadFormsFile(const FileSystem& fs, const std::string& program_folder);

}  // namespace zelvoran
