// SPDX-License-Identifier: GPL-3.0-or-later
// The dictd reader of the data compiler on an arbitrary index and dictionary text, and the
// compressed-file reader on arbitrary file bytes. An accepted database holds only articles
// that lie inside the text; a refusal names a line.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_target.h"
#include "tools/dictc/dictd_reader.h"

namespace {

// A temporary file that holds the input, for the file reader.
class TempFile {
 public:
  explicit TempFile(std::string_view bytes) {
    char name[] = "/tmp/zelvoran-fuzz-dictd-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) return;
    path_ = name;
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::close(fd);
  }
  ~TempFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

ZELVORAN_FUZZ_TARGET(dictd_reader) {
  using namespace zelvoran::dictc;
  // The index before the first 0xFF byte, the dictionary text after it.
  const size_t cut = data.find('\xFF');
  const std::string_view index = data.substr(0, cut);
  const std::string_view text = cut == std::string_view::npos ? "" : data.substr(cut + 1);
  const DictdReadResult r = ParseDictdDatabase(index, text, "x.index");
  if (!r.database) {
    FUZZ_CHECK(r.error.rfind("x.index line ", 0) == 0);
  } else {
    FUZZ_CHECK(r.error.empty());
    for (const DictdArticle& a : r.database->Articles) {
      FUZZ_CHECK(!a.Keys.empty());
      FUZZ_CHECK(a.Text.empty() || text.find(a.Text) != std::string_view::npos);
    }
  }
  // Numbers: seven base64 digits at most, and never above 2^40.
  if (const auto n = DecodeDictdNumber(data.substr(0, 8))) FUZZ_CHECK(*n <= (uint64_t{1} << 40));

  // The file reader: plain bytes pass unchanged, compressed ones never beyond the limit.
  const TempFile file(data);
  if (file.path().empty()) return;
  std::string error;
  constexpr uint64_t kLimit = uint64_t{1} << 20;
  const auto read = ReadMaybeCompressed(file.path(), &error, kLimit);
  if (!read) {
    FUZZ_CHECK(!error.empty());
    return;
  }
  FUZZ_CHECK(read->size() <= kLimit);
  const bool gzip = data.size() >= 2 && data[0] == '\x1f' && data[1] == '\x8b';
  if (!gzip) FUZZ_CHECK(*read == data);
}
