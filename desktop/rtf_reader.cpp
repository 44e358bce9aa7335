// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rtf_reader.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "text/cp1253.h"

namespace zelvoran {
namespace {

constexpr size_t kMaxControlWordLetters = 32;
constexpr size_t kMaxParameterDigits = 10;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxUnicodeSkip = 255;
constexpr int kMaxIndent = 31680;  // 22 inches
constexpr char32_t kReplacement = 0xFFFD;

// Where the text of the current group goes.
enum class Destination { kBody, kSkip, kFontTable, kColorTable };

struct GroupState {
  Destination destination = Destination::kBody;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = kDefaultRtfHalfPoints;
  int color_index = 0;
  int font_index = -1;
  int unicode_skip = 1;  // \uc: characters that stand in for each \u
  RtfAlignment alignment = RtfAlignment::kLeft;
  int left_indent = 0;
  int first_line_indent = 0;
};

// Destinations whose content is not part of the text.
constexpr std::string_view kSkippedDestinations[] = {"stylesheet",
                                                     "info",
                                                     "pict",
                                                     "object",
                                                     "header",
                                                     "headerl",
                                                     "headerr",
                                                     "headerf",
                                                     "footer",
                                                     "footerl",
                                                     "footerr",
                                                     "footerf",
                                                     "footnote",
                                                     "annotation",
                                                     "atnid",
                                                     "atnauthor",
                                                     "xe",
                                                     "tc",
                                                     "txe",
                                                     "rxe",
                                                     "fldinst",
                                                     "themedata",
                                                     "colorschememapping",
                                                     "latentstyles",
                                                     "datastore",
                                                     "listtable",
                                                     "listoverridetable",
                                                     "rsidtbl",
                                                     "generator",
                                                     "filetbl",
                                                     "revtbl",
                                                     "pgdsctbl",
                                                     "author",
                                                     "operator",
                                                     "title",
                                                     "subject",
                                                     "keywords",
                                                     "comment",
                                                     "falt",
                                                     "fname"};

constexpr std::string_view kUnderlineWords[] = {"ul",     "uld",     "uldb",     "ulw", "ulwave",
                                                "uldash", "uldashd", "uldashdd", "ulth"};

template <size_t N>
bool OneOf(const std::string_view (&words)[N], std::string_view word) {
  return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

class Reader {
 public:
  explicit Reader(std::string_view input) : in_(input) {}

  RtfReadResult Run() {
    RtfReadResult result;
    if (!Parse()) {
      result.error = error_;
      result.error_offset = error_offset_;
      return result;
    }
    result.document = std::move(doc_);
    return result;
  }

 private:
  bool Fail(std::string message) {
    error_ = std::move(message);
    error_offset_ = pos_;
    return false;
  }

  GroupState& State() { return stack_.back(); }

  bool Parse() {
    if (in_.substr(0, 5) != "{\\rtf") return Fail("not rich text: no {\\rtf header");
    while (pos_ < in_.size()) {
      const char c = in_[pos_];
      if (c == '{') {
        if (static_cast<int>(stack_.size()) >= kMaxRtfNesting) {
          return Fail("groups nested too deeply");
        }
        stack_.push_back(stack_.empty() ? GroupState{} : State());
        ++pos_;
        EndUnicodeSkip();
      } else if (c == '}') {
        if (stack_.empty()) return Fail("unbalanced braces: '}' without '{'");
        CloseGroup();
        ++pos_;
        if (stack_.empty()) return Finish();
      } else if (c == '\\') {
        if (!ControlSequence()) return false;
      } else {
        ++pos_;
        if (c == '\r' || c == '\n' || c == '\0') continue;
        if (c == '\t') {
          Character(U'\t');
        } else if (static_cast<unsigned char>(c) >= 0x20) {
          Character(Cp1253ToUnicode(static_cast<unsigned char>(c)));
        }
      }
    }
    return Fail("unbalanced braces: the document ends inside a group");
  }

  // After the outermost group: only white space may follow.
  bool Finish() {
    for (; pos_ < in_.size(); ++pos_) {
      const char c = in_[pos_];
      if (c != ' ' && c != '\r' && c != '\n' && c != '\t' && c != '\0') {
        return Fail("text after the end of the document");
      }
    }
    FlushHighSurrogate();
    if (!paragraph_.runs.empty()) EndParagraph();
    return true;
  }

  void CloseGroup() {
    EndUnicodeSkip();
    FlushHighSurrogate();
    const Destination closing = State().destination;
    stack_.pop_back();
    const bool left_table = stack_.empty() || State().destination != closing;
    if (closing == Destination::kFontTable && left_table) CommitFont();
  }

  bool ControlSequence() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return Fail("truncated control sequence");
    const char c = in_[pos_];
    if (IsLetter(c)) return ControlWord();
    ++pos_;
    switch (c) {
      case '\'': {
        if (pos_ + 2 > in_.size()) {
          pos_ = in_.size();
          return Fail("truncated \\' escape");
        }
        const int high = HexValue(in_[pos_]);
        const int low = HexValue(in_[pos_ + 1]);
        if (high < 0 || low < 0) return Fail("malformed \\' escape");
        pos_ += 2;
        Character(Cp1253ToUnicode(static_cast<unsigned char>(high * 16 + low)));
        return true;
      }
      case '\\':
      case '{':
      case '}':
        Character(static_cast<char32_t>(c));
        return true;
      case '~':
        Character(0x00A0);
        return true;
      case '_':
        Character(0x2011);
        return true;
      case '*':
        State().destination = Destination::kSkip;
        return true;
      case '\r':
      case '\n':
        if (!Skipping()) Word("par", false, 0);
        return true;
      default:  // \- (optional hyphen), \| and \: (index marks) and the unknown ones
        if (Skipping()) --skip_;
        return true;
    }
  }

  bool ControlWord() {
    const size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    if (pos_ - start > kMaxControlWordLetters) return Fail("control word too long");
    const std::string_view word = in_.substr(start, pos_ - start);
    bool has_param = false;
    int64_t param = 0;
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    const size_t digits = pos_;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      if (pos_ - digits >= kMaxParameterDigits) return Fail("control word parameter too long");
      param = param * 10 + (in_[pos_] - '0');
      has_param = true;
      ++pos_;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    param = std::clamp<int64_t>(param, INT32_MIN, INT32_MAX);
    if (word == "bin") return Binary(has_param ? param : 0);
    if (word == "u") {
      Unicode(param);
      return true;
    }
    if (Skipping()) {
      --skip_;  // a control word stands for one of the characters after \u
      return true;
    }
    Word(word, has_param, static_cast<int>(param));
    return true;
  }

  bool Binary(int64_t length) {
    if (length < 0) return Fail("negative \\bin length");
    if (static_cast<uint64_t>(length) > in_.size() - pos_) {
      pos_ = in_.size();
      return Fail("truncated \\bin data");
    }
    pos_ += static_cast<size_t>(length);
    EndUnicodeSkip();
    return true;
  }

  void Unicode(int64_t value) {
    // A 16-bit code unit, written signed or unsigned; surrogate pairs take two escapes.
    if (value < 0) value += 65536;
    const char32_t cp = value < 0 || value > 0xFFFF ? kReplacement : static_cast<char32_t>(value);
    skip_ = 0;
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      FlushHighSurrogate();
      high_surrogate_ = cp;
    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
      if (high_surrogate_ != 0) {
        const char32_t full = 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (cp - 0xDC00);
        high_surrogate_ = 0;
        Emit(full);
      } else {
        Emit(kReplacement);
      }
    } else {
      Emit(cp);
    }
    skip_ = State().unicode_skip;
  }

  void Word(std::string_view word, bool has_param, int param) {
    GroupState& s = State();
    const bool on = !has_param || param != 0;
    if (word == "fonttbl") {
      s.destination = Destination::kFontTable;
    } else if (word == "colortbl") {
      s.destination = Destination::kColorTable;
    } else if (OneOf(kSkippedDestinations, word)) {
      s.destination = Destination::kSkip;
    } else if (word == "uc") {
      s.unicode_skip = std::clamp(param, 0, kMaxUnicodeSkip);
    } else if (s.destination == Destination::kFontTable) {
      if (word == "f") {
        CommitFont();
        font_number_ = param;
      }
    } else if (s.destination == Destination::kColorTable) {
      const uint8_t value = static_cast<uint8_t>(std::clamp(param, 0, 255));
      if (word == "red") {
        color_.red = value;
        color_set_ = true;
      } else if (word == "green") {
        color_.green = value;
        color_set_ = true;
      } else if (word == "blue") {
        color_.blue = value;
        color_set_ = true;
      }
    } else if (s.destination == Destination::kBody) {
      BodyWord(s, word, on, has_param, param);
    } else if (word == "deff") {
      default_font_ = param;
    }
  }

  void BodyWord(GroupState& s, std::string_view word, bool on, bool has_param, int param) {
    if (word == "par" || word == "sect" || word == "page" || word == "row") {
      FlushHighSurrogate();
      EndParagraph();
    } else if (word == "line") {
      Character(U'\n');
    } else if (word == "tab" || word == "cell") {
      Character(U'\t');
    } else if (word == "b") {
      s.bold = on;
    } else if (word == "i") {
      s.italic = on;
    } else if (OneOf(kUnderlineWords, word)) {
      s.underline = on;
    } else if (word == "ulnone") {
      s.underline = false;
    } else if (word == "plain") {
      s.bold = s.italic = s.underline = false;
      s.half_points = kDefaultRtfHalfPoints;
      s.color_index = 0;
      s.font_index = default_font_;
    } else if (word == "fs") {
      s.half_points = has_param ? std::clamp(param, 1, kMaxHalfPoints) : kDefaultRtfHalfPoints;
    } else if (word == "cf") {
      s.color_index = std::max(param, 0);
    } else if (word == "f") {
      s.font_index = param;
    } else if (word == "deff") {
      default_font_ = param;
      if (s.font_index < 0) s.font_index = param;
    } else if (word == "pard") {
      s.alignment = RtfAlignment::kLeft;
      s.left_indent = s.first_line_indent = 0;
    } else if (word == "li") {
      s.left_indent = std::clamp(param, -kMaxIndent, kMaxIndent);
    } else if (word == "fi") {
      s.first_line_indent = std::clamp(param, -kMaxIndent, kMaxIndent);
    } else if (word == "ql") {
      s.alignment = RtfAlignment::kLeft;
    } else if (word == "qc") {
      s.alignment = RtfAlignment::kCenter;
    } else if (word == "qr") {
      s.alignment = RtfAlignment::kRight;
    } else if (word == "qj") {
      s.alignment = RtfAlignment::kJustify;
    } else if (word == "emdash") {
      Character(0x2014);
    } else if (word == "endash") {
      Character(0x2013);
    } else if (word == "bullet") {
      Character(0x2022);
    } else if (word == "lquote") {
      Character(0x2018);
    } else if (word == "rquote") {
      Character(0x2019);
    } else if (word == "ldblquote") {
      Character(0x201C);
    } else if (word == "rdblquote") {
      Character(0x201D);
    }
  }

  bool Skipping() const { return skip_ > 0; }
  void EndUnicodeSkip() { skip_ = 0; }

  // A character of the input (raw byte, escape or symbol); the ones standing in for a \u are
  // dropped.
  void Character(char32_t cp) {
    if (Skipping()) {
      --skip_;
      return;
    }
    FlushHighSurrogate();
    Emit(cp);
  }

  void FlushHighSurrogate() {
    if (high_surrogate_ == 0) return;
    high_surrogate_ = 0;
    Emit(kReplacement);
  }

  void Emit(char32_t cp) {
    GroupState& s = State();
    switch (s.destination) {
      case Destination::kSkip:
        return;
      case Destination::kFontTable:
        if (cp == U';') {
          CommitFont();
        } else {
          AppendUtf8(font_name_, cp);
        }
        return;
      case Destination::kColorTable:
        if (cp == U';') {
          colors_.push_back(color_set_ ? std::optional<RtfColor>(color_) : std::nullopt);
          color_ = {};
          color_set_ = false;
        }
        return;
      case Destination::kBody:
        break;
    }
    RtfCharFormat format;
    format.bold = s.bold;
    format.italic = s.italic;
    format.underline = s.underline;
    format.half_points = s.half_points;
    if (s.color_index > 0 && static_cast<size_t>(s.color_index) < colors_.size()) {
      format.color = colors_[static_cast<size_t>(s.color_index)];
    }
    const int font = s.font_index >= 0 ? s.font_index : default_font_;
    if (const auto it = fonts_.find(font); it != fonts_.end()) format.font = it->second;
    std::vector<RtfRun>& runs = paragraph_.runs;
    if (runs.empty() || !(runs.back().format == format)) runs.push_back({{}, std::move(format)});
    AppendUtf8(runs.back().text, cp);
    last_text_state_ = s;
  }

  void CommitFont() {
    const std::string name = Trimmed(font_name_);
    if (font_number_ >= 0 && !name.empty()) fonts_[font_number_] = name;
    font_name_.clear();
    font_number_ = -1;
  }

  void EndParagraph() {
    const GroupState& s = stack_.empty() ? last_text_state_ : State();
    paragraph_.alignment = s.alignment;
    paragraph_.left_indent = s.left_indent;
    paragraph_.first_line_indent = s.first_line_indent;
    doc_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = {};
  }

  std::string_view in_;
  size_t pos_ = 0;
  std::vector<GroupState> stack_;
  RtfDocument doc_;
  RtfParagraph paragraph_;
  GroupState last_text_state_;  // paragraph properties for a final paragraph without \par
  int skip_ = 0;
  char32_t high_surrogate_ = 0;
  std::map<int, std::string> fonts_;
  int font_number_ = -1;
  std::string font_name_;
  int default_font_ = 0;
  std::vector<std::optional<RtfColor>> colors_;
  RtfColor color_;
  bool color_set_ = false;
  std::string error_;
  size_t error_offset_ = 0;
};

}  // namespace

std::string RtfParagraph::Text() const {
  std::string text;
  for (const RtfRun& run : runs) text += run.text;
  return text;
}

std::string RtfDocument::PlainText() const {
  std::string text;
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) text += '\n';
    text += paragraphs[i].Text();
  }
  return text;
}

RtfReadResult ReadRtf(std::string_view rtf) {
  return Reader(rtf).Run();
}

}  // namespace zelvoran
