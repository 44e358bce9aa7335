// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/forms_file.h"

#include <algorithm>
#include <map>

#include "dictionary/field_codec.h"
#include "platform/file_system.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

constexpr unsigned char kFinalSigma = 0xF2;
constexpr unsigned char kSigma = 0xF3;

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutVarint(std::string& out, uint32_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<char>((v & 0x7F) | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<char>(v));
}

// A bounds-checked reader over a byte range.
class Reader {
 public:
  Reader(std::string_view bytes, size_t at) : bytes_(bytes), at_(at) {}
  bool U32(uint32_t& v) {
    if (bytes_.size() < 4 || at_ > bytes_.size() - 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) {
      v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[at_ + static_cast<size_t>(i)]))
           << (8 * i);
    }
    at_ += 4;
    return true;
  }
  bool U8(uint32_t& v) {
    if (at_ >= bytes_.size()) return false;
    v = static_cast<unsigned char>(bytes_[at_++]);
    return true;
  }
  bool Varint(uint32_t& v) {
    v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      uint32_t b = 0;
      if (!U8(b)) return false;
      v |= (b & 0x7F) << shift;
      if ((b & 0x80) == 0) return shift < 28 || b < 16;
    }
    return false;
  }
  bool Bytes(size_t n, std::string_view& out) {
    if (n > bytes_.size() - at_) return false;
    out = bytes_.substr(at_, n);
    at_ += n;
    return true;
  }
  size_t At() const { return at_; }

 private:
  std::string_view bytes_;
  size_t at_;
};

struct SortedEntry {
  std::string fold;
  std::string form;
  std::vector<uint32_t> bases;
};

void EncodeSection(std::string& out, const FormsSectionSource& source) {
  // Bases numbered in order of first use.
  std::map<std::string, uint32_t, std::less<>> base_numbers;
  std::vector<const std::string*> bases;
  std::map<std::string, size_t, std::less<>> by_form;
  std::vector<SortedEntry> entries;
  for (const auto& e : source.entries) {
    if (e.form.empty() || e.form.size() > kFormMaxBytes) continue;
    if (e.form.find('\0') != std::string::npos) continue;
    auto [it, fresh] = by_form.try_emplace(e.form, entries.size());
    if (fresh) entries.push_back(SortedEntry{FoldForm(e.form), e.form, {}});
    SortedEntry& target = entries[it->second];
    for (const std::string& b : e.bases) {
      if (b.empty() || b.size() > kFormMaxBytes || b.find('\0') != std::string::npos) continue;
      auto [bi, new_base] = base_numbers.try_emplace(b, static_cast<uint32_t>(bases.size()));
      if (new_base) bases.push_back(&bi->first);
      if (std::find(target.bases.begin(), target.bases.end(), bi->second) == target.bases.end()) {
        target.bases.push_back(bi->second);
      }
    }
  }
  std::erase_if(entries, [](const SortedEntry& e) { return e.bases.empty(); });
  std::sort(entries.begin(), entries.end(), [](const SortedEntry& a, const SortedEntry& b) {
    return a.fold != b.fold ? a.fold < b.fold : a.form < b.form;
  });
  std::string base_text;
  for (const std::string* b : bases) {
    base_text += *b;
    base_text.push_back('\0');
  }
  PutU32(out, static_cast<uint32_t>(bases.size()));
  PutU32(out, static_cast<uint32_t>(base_text.size()));
  out += base_text;
  std::string data;
  std::vector<uint32_t> blocks;
  for (size_t i = 0; i < entries.size(); ++i) {
    size_t shared = 0;
    if (i % kFormsBlockSize == 0) {
      blocks.push_back(static_cast<uint32_t>(data.size()));
    } else {
      const std::string& prev = entries[i - 1].form;
      const std::string& cur = entries[i].form;
      while (shared < prev.size() && shared < cur.size() && prev[shared] == cur[shared]) ++shared;
    }
    const std::string& form = entries[i].form;
    data.push_back(static_cast<char>(shared));
    data.push_back(static_cast<char>(form.size() - shared));
    data.append(form, shared);
    PutVarint(data, static_cast<uint32_t>(entries[i].bases.size()));
    for (uint32_t b : entries[i].bases) PutVarint(data, b);
  }
  PutU32(out, static_cast<uint32_t>(entries.size()));
  PutU32(out, static_cast<uint32_t>(blocks.size()));
  PutU32(out, static_cast<uint32_t>(data.size()));
  for (uint32_t b : blocks) PutU32(out, b);
  out += data;
}

}  // namespace

unsigned char FoldFormChar(unsigned char c) {
  c = GreekFoldChar(CharLowerA(c));
  return c == kFinalSigma ? kSigma : c;
}

std::string FoldForm(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(FoldFormChar(static_cast<unsigned char>(c)));
  return out;
}

std::string EncodeFormsFile(const FormsSectionSource& english, const FormsSectionSource& greek) {
  std::string out(kFormsMagic);
  EncodeSection(out, english);
  EncodeSection(out, greek);
  return out;
}

std::optional<FormsFile> FormsFile::Parse(std::string bytes, std::string* error) {
  auto fail = [&](const char* what) -> std::optional<FormsFile> {
    if (error) *error = what;
    return std::nullopt;
  };
  FormsFile f;
  f.bytes_ = std::move(bytes);
  const std::string_view all = f.bytes_;
  if (all.substr(0, kFormsMagic.size()) != kFormsMagic) return fail("not a forms file");
  Reader r(all, kFormsMagic.size());
  for (Section& s : f.sections_) {
    uint32_t base_count = 0, base_bytes = 0;
    if (!r.U32(base_count) || !r.U32(base_bytes)) return fail("the base table is cut short");
    std::string_view base_text;
    if (!r.Bytes(base_bytes, base_text)) return fail("the base table is cut short");
    if (base_count > base_bytes) return fail("the base count does not fit the table");
    const size_t base_start = r.At() - base_bytes;
    s.base_offsets.reserve(base_count);
    size_t at = 0;
    for (uint32_t i = 0; i < base_count; ++i) {
      const size_t nul = base_text.find('\0', at);
      if (nul == std::string_view::npos) return fail("a base is not terminated");
      s.base_offsets.push_back(static_cast<uint32_t>(base_start + at));
      at = nul + 1;
    }
    uint32_t entries = 0, block_count = 0, data_bytes = 0;
    if (!r.U32(entries) || !r.U32(block_count) || !r.U32(data_bytes)) {
      return fail("the entry table is cut short");
    }
    if (block_count != (entries + kFormsBlockSize - 1) / kFormsBlockSize) {
      return fail("the block count does not match the entries");
    }
    if (static_cast<uint64_t>(block_count) * 4 > all.size() - r.At()) {
      return fail("the block table is cut short");
    }
    s.blocks.resize(block_count);
    for (uint32_t& b : s.blocks) {
      r.U32(b);
      if (b >= data_bytes) return fail("a block lies outside the data");
    }
    std::string_view data;
    if (!r.Bytes(data_bytes, data)) return fail("the data is cut short");
    s.entries = entries;
    s.data = r.At() - data_bytes;
    s.data_bytes = data_bytes;
  }
  if (r.At() != all.size()) return fail("bytes after the last section");
  return f;
}

std::string_view FormsFile::Base(bool greek, size_t number) const {
  const Section& s = sections_[greek ? 1 : 0];
  if (number >= s.base_offsets.size()) return {};
  const std::string_view all = bytes_;
  const size_t at = s.base_offsets[number];
  return all.substr(at, all.find('\0', at) - at);
}

bool FormsFile::DecodeBlock(
    const Section& s, size_t block,
    const std::function<bool(std::string_view, const std::vector<uint32_t>&)>& visit) const {
  const std::string_view data = std::string_view(bytes_).substr(s.data, s.data_bytes);
  const size_t end = block + 1 < s.blocks.size() ? s.blocks[block + 1] : data.size();
  if (end > data.size() || s.blocks[block] > end) return false;
  Reader r(data.substr(0, end), s.blocks[block]);
  const size_t count = std::min(kFormsBlockSize, s.entries - block * kFormsBlockSize);
  std::string form;
  std::vector<uint32_t> bases;
  for (size_t i = 0; i < count; ++i) {
    uint32_t shared = 0, rest = 0, n = 0;
    std::string_view tail;
    if (!r.U8(shared) || !r.U8(rest) || shared > form.size() || (i == 0 && shared != 0) ||
        !r.Bytes(rest, tail) || !r.Varint(n) || n > end) {
      return false;
    }
    form.resize(shared);
    form.append(tail);
    bases.clear();
    for (uint32_t k = 0; k < n; ++k) {
      uint32_t b = 0;
      if (!r.Varint(b) || b >= s.base_offsets.size()) return false;
      bases.push_back(b);
    }
    if (!visit(form, bases)) return true;
  }
  return r.At() == end;
}

std::string FormsFile::FirstForm(const Section& s, size_t block) const {
  std::string first;
  DecodeBlock(s, block, [&](std::string_view form, const std::vector<uint32_t>&) {
    first = std::string(form);
    return false;
  });
  return first;
}

std::vector<FormMatch> FormsFile::Find(bool greek, std::string_view form) const {
  std::vector<FormMatch> out;
  const Section& s = sections_[greek ? 1 : 0];
  if (form.empty() || form.size() > kFormMaxBytes || s.blocks.empty()) return out;
  const std::string key = FoldForm(form);
  // The last block whose first form folds below the key holds the first match, unless the
  // match begins the next block.
  size_t lo = 0, hi = s.blocks.size();
  while (hi - lo > 1) {
    const size_t mid = lo + (hi - lo) / 2;
    if (FoldForm(FirstForm(s, mid)) < key) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  for (size_t block = lo; block < s.blocks.size(); ++block) {
    bool past = false;
    DecodeBlock(s, block, [&](std::string_view f, const std::vector<uint32_t>& bases) {
      const std::string fold = FoldForm(f);
      if (fold < key) return true;
      if (fold > key) {
        past = true;
        return false;
      }
      FormMatch m;
      m.form = std::string(f);
      for (uint32_t b : bases) m.bases.push_back(Base(greek, b));
      out.push_back(std::move(m));
      return true;
    });
    if (past) break;
  }
  return out;
}

bool FormsFile::ForEach(
    bool greek,
    const std::function<bool(std::string_view form, const std::vector<uint32_t>& bases)>& visit,
    std::string* fault) const {
  const Section& s = sections_[greek ? 1 : 0];
  bool stopped = false;
  for (size_t block = 0; block < s.blocks.size() && !stopped; ++block) {
    const bool ok = DecodeBlock(s, block, [&](std::string_view f, const std::vector<uint32_t>& b) {
      if (!visit(f, b)) stopped = true;
      return !stopped;
    });
    if (!ok) {
      if (fault) *fault = "block " + std::to_string(block + 1) + " is damaged";
      return false;
    }
  }
  return true;
}

std::optional<FormsFile> LoadFormsFile(const FileSystem& fs, const std::string& program_folder) {
  const std::string path = program_folder + std::string(kFormsFile);
  if (!fs.FileExists(path)) return std::nullopt;
  auto bytes = fs.ReadFile(path);
  if (!bytes) return std::nullopt;
  return FormsFile::Parse(std::move(*bytes));
}

}  // namespace zelvoran
