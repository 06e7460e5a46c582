#include <algorithm>
#include <cstring>
#include <exception>
#include <string>

#include "settings/texts.h"
#include "settings/writers.h"

namespace nw {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// White space as kpathsea's ISSPACE sees it (C locale isspace).
bool IsTexSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The rule of the settings: blanks, TEXEDIT in any letter case, blanks, "=".
class BlankNameEquals {
 public:
  bool Decided() const { return state_ == kYes || state_ == kNo; }
  bool Yes() const { return state_ == kYes; }
  void Feed(char c) {
    switch (state_) {
      case kLead:
        if (IsBlank(c)) return;
        if (c == texts::kCommentLead[0]) {
          state_ = kNo;
          return;
        }
        [[fallthrough]];
      case kName:
        if (AsciiUpper(c) != texts::kTexeditName[matched_]) {
          state_ = kNo;
          return;
        }
        state_ = ++matched_ == texts::kTexeditName.size() ? kAfter : kName;
        return;
      case kAfter:
        if (IsBlank(c)) return;
        state_ = c == '=' ? kYes : kNo;
        return;
      case kYes:
      case kNo:
        return;
    }
  }

 private:
  enum State { kLead, kName, kAfter, kYes, kNo };
  State state_ = kLead;
  size_t matched_ = 0;
};

// kpathsea's own reading: a line that sets the plain variable TEXEDIT to a
// value. It takes the "=" as optional, so "TEXEDIT vi +%d %s" counts too,
// while "TEXEDIT.platex = x" sets another variable.
class TexDefinesTexedit {
 public:
  bool Decided() const { return state_ == kYes || state_ == kNo; }
  bool Yes() const { return state_ == kYes; }
  void Feed(char c) {
    const bool comment = c == '%' || c == '#';
    switch (state_) {
      case kLead:
        if (IsTexSpace(c)) return;
        [[fallthrough]];
      case kName:
        if (matched_ < texts::kTexeditName.size()) {
          state_ = c == texts::kTexeditName[matched_++] ? kName : kNo;
          return;
        }
        if (IsTexSpace(c)) {
          state_ = kSpace;
        } else if (c == '=') {
          state_ = kEquals;
        } else {
          state_ = kNo;  // a qualifier or a longer name
        }
        return;
      case kSpace:
        if (IsTexSpace(c)) return;
        if (c == '=') {
          state_ = kEquals;
          return;
        }
        state_ = (c == '.' || comment) ? kNo : kYes;
        return;
      case kEquals:
        if (IsTexSpace(c)) {
          spaceBefore_ = true;
          return;
        }
        // A comment starts at % or # after white space; the value is empty then.
        state_ = (comment && spaceBefore_) ? kNo : kYes;
        return;
      case kYes:
      case kNo:
        return;
    }
  }

 private:
  enum State { kLead, kName, kSpace, kEquals, kYes, kNo };
  State state_ = kLead;
  size_t matched_ = 0;
  bool spaceBefore_ = false;
};

// Physical lines, ending at CR LF, LF or CR. The next CR and LF are found
// with memchr and kept, so that each byte is searched once for each.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text), lf_(text.find('\n')), cr_(text.find('\r')) {}
  bool More() const { return pos_ < text_.size(); }
  size_t Pos() const { return pos_; }
  std::string_view Next() {
    const size_t end = std::min(std::min(lf_, cr_), text_.size());
    const std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
      pos_ += (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ? 2 : 1;
      if (lf_ < pos_) lf_ = text_.find('\n', pos_);
      if (cr_ < pos_) cr_ = text_.find('\r', pos_);
    }
    return line;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  size_t lf_;
  size_t cr_;
};

struct LogicalLine {
  bool assignsTexedit;
  bool openAtEnd;  // its last line ends in a "\" with no line after it
};

// Reads one line as kpathsea does: NUL bytes dropped, white space cut from
// the end of the first physical line, then while the text ends in "\", that
// "\" removed and the next physical line joined on. Only "\" is ever removed,
// so the joined text is the bytes seen so far plus a run of `pending`
// backslashes; both tests read it as it grows and decide within a few bytes.
// Each physical line goes to `out` with CR LF, after it has been read: the
// in-place output may overwrite it.
template <class Out>
LogicalLine ReadLogicalLine(Lines& lines, Out& out) {
  BlankNameEquals settingsRule;
  TexDefinesTexedit texRule;
  const auto feed = [&](char c) {
    settingsRule.Feed(c);
    texRule.Feed(c);
  };
  const auto decided = [&] { return settingsRule.Decided() && texRule.Decided(); };
  size_t pending = 0;
  bool first = true;
  bool open = false;
  for (;;) {
    const std::string_view line = lines.Next();
    const char* const begin = line.data();
    const char* end = begin + line.size();
    if (first) {
      while (end != begin && (end[-1] == '\0' || IsTexSpace(end[-1]))) --end;
    }
    const char* run = end;
    size_t slashes = 0;
    while (run != begin && (run[-1] == '\\' || run[-1] == '\0')) {
      if (*--run == '\\') ++slashes;
    }
    if (run != begin) {
      if (!decided()) {
        if (pending > 0) feed('\\');
        for (const char* p = begin; p != run && !decided(); ++p) {
          if (*p != '\0') feed(*p);
        }
      }
      pending = slashes;
    } else {
      pending += slashes;
    }
    out.Append(line);
    out.Append(texts::kLineEnd);
    first = false;
    if (pending == 0) break;
    --pending;
    if (!lines.More()) {
      open = true;
      break;
    }
  }
  if (pending > 0) feed('\\');
  return {settingsRule.Yes() || texRule.Yes(), open};
}

template <class Out>
void Rewrite(Lines& lines, std::string_view newLine, Out& out) {
  bool replaced = false;
  size_t openLineStart = std::string::npos;
  while (lines.More()) {
    const size_t start = out.Size();
    const LogicalLine logical = ReadLogicalLine(lines, out);
    if (logical.assignsTexedit) {
      out.Truncate(start);
      out.Append(newLine);
      out.Append(texts::kLineEnd);
      replaced = true;
    } else if (logical.openAtEnd) {
      openLineStart = start;
    }
  }
  if (!replaced) {
    // A last line left open would swallow a line appended after it, so the
    // new line goes in front of it instead.
    out.Insert(openLineStart == std::string::npos ? out.Size() : openLineStart, newLine,
               texts::kLineEnd);
  }
}

struct NoOut {
  size_t Size() const { return 0; }
  void Append(std::string_view) {}
  void Truncate(size_t) {}
  void Insert(size_t, std::string_view, std::string_view) {}
};

class StringOut {
 public:
  explicit StringOut(std::string& text) : text_(text) {}
  size_t Size() const { return text_.size(); }
  void Append(std::string_view bytes) { text_.append(bytes); }
  void Truncate(size_t size) { text_.resize(size); }
  void Insert(size_t at, std::string_view a, std::string_view b) {
    text_.insert(at, b);
    text_.insert(at, a);
  }

 private:
  std::string& text_;
};

// Writes the result over the file's own buffer, whose input has been moved
// up by `gap` bytes: the output stays behind the line being read as long as
// the file grows by no more than the gap up to that point. Should it grow
// more (many short assignments replaced), the rest goes to a new string.
class InPlaceOut {
 public:
  InPlaceOut(std::string& buffer, size_t gap, const Lines& lines)
      : buffer_(buffer), gap_(gap), lines_(lines) {}
  size_t Size() const { return spilled_ ? spill_.size() : size_; }
  void Append(std::string_view bytes) {
    if (!spilled_ && size_ + bytes.size() <= gap_ + lines_.Pos()) {
      std::memmove(buffer_.data() + size_, bytes.data(), bytes.size());
      size_ += bytes.size();
      return;
    }
    Spill();
    spill_.append(bytes);
  }
  void Truncate(size_t size) {
    if (spilled_) {
      spill_.resize(size);
    } else {
      size_ = size;
    }
  }
  // Only once the input is read.
  void Insert(size_t at, std::string_view a, std::string_view b) {
    if (!spilled_ && size_ + a.size() + b.size() <= buffer_.size()) {
      char* const p = buffer_.data();
      std::memmove(p + at + a.size() + b.size(), p + at, size_ - at);
      std::memcpy(p + at, a.data(), a.size());
      std::memcpy(p + at + a.size(), b.data(), b.size());
      size_ += a.size() + b.size();
      return;
    }
    Spill();
    spill_.insert(at, b);
    spill_.insert(at, a);
  }
  void Finish() {
    if (spilled_) {
      buffer_ = std::move(spill_);
    } else {
      buffer_.resize(size_);
    }
  }

 private:
  void Spill() {
    if (spilled_) return;
    const size_t rest = buffer_.size() - gap_ - lines_.Pos();
    spill_.reserve(size_ + rest + rest / 8 + 4096);
    spill_.assign(buffer_.data(), size_);
    spilled_ = true;
  }

  std::string& buffer_;
  const size_t gap_;
  const Lines& lines_;
  size_t size_ = 0;
  bool spilled_ = false;
  std::string spill_;
};

// What the file grows by at most when each LF or CR alone becomes CR LF and
// a few assignments become longer; more growth spills to a new string.
size_t GrowthBound(std::string_view text, std::string_view newLine) {
  size_t growth = 2 + 4 * (newLine.size() + texts::kLineEnd.size());
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const auto find = [end](const char* from, char c) {
    return static_cast<const char*>(std::memchr(from, c, static_cast<size_t>(end - from)));
  };
  for (const char* p = begin; (p = find(p, '\n')); ++p) growth += p == begin || p[-1] != '\r';
  for (const char* p = begin; (p = find(p, '\r')); ++p) growth += p + 1 == end || p[1] != '\n';
  return growth;
}

// Puts the original back after a failed write: the partial new file would
// otherwise block the move and leave the user with a truncated texmf.cnf.
bool RestoreBackup(Platform& platform, const std::string& path, const std::string& backup) {
  if (platform.IsFile(path) && !platform.Remove(path)) return false;
  return platform.Rename(backup, path);
}

}  // namespace

std::string TexeditLine(std::string_view nwPath) {
  std::string line(texts::kTexeditPrefix);
  line += nwPath;
  line += texts::kTexeditSuffix;
  return line;
}

bool IsTexeditAssignment(std::string_view line) {
  if (line.empty()) return false;
  Lines lines(line);
  NoOut none;
  return ReadLogicalLine(lines, none).assignsTexedit;
}

std::string RewriteTexmf(std::string_view content, std::string_view newLine) {
  std::string out;
  // Most files only gain the CR of each line end; an eighth more avoids
  // regrowing for LF-only files of short lines.
  out.reserve(content.size() + content.size() / 8 + newLine.size() + 2);
  Lines lines(content);
  StringOut to(out);
  Rewrite(lines, newLine, to);
  return out;
}

void RewriteTexmfInPlace(std::string& file, std::string_view newLine) {
  const size_t size = file.size();
  const size_t gap = GrowthBound(file, newLine);
  if (file.capacity() - size < gap) {
    file = RewriteTexmf(file, newLine);
    return;
  }
  file.resize(size + gap);
  std::memmove(file.data() + gap, file.data(), size);
  Lines lines(std::string_view(file).substr(gap));
  InPlaceOut to(file, gap, lines);
  Rewrite(lines, newLine, to);
  to.Finish();
}

std::string ChooseBackupName(Platform& platform, std::string_view path, std::string_view ext) {
  const std::string base = std::string(path) + std::string(ext);
  std::string name = base;
  for (unsigned long counter = 0; platform.IsFile(name); ++counter) {
    name = base + std::to_string(counter);
  }
  return name;
}

bool UpdateTexmfCnf(Platform& platform, MessageSink& messages, std::string_view texmfPath,
                    std::string_view nwPath, std::string_view oldExt) {
  const std::string path(texmfPath);
  if (!platform.IsFile(path)) {
    messages.ShowMessage(path + std::string(texts::kFileMissing));
    return false;
  }
  // Rewritten in the buffer it was read into: one copy of the file in memory.
  std::string rewritten = platform.ReadWholeFile(path);
  RewriteTexmfInPlace(rewritten, TexeditLine(nwPath));

  const std::string backup = ChooseBackupName(platform, path, oldExt);
  if (!platform.Rename(path, backup)) {
    messages.ShowMessage(path + std::string(texts::kRenameInfix) + backup +
                         std::string(texts::kRenameFailed));
    return false;
  }
  std::string error;
  try {
    platform.WriteWholeFile(path, rewritten);
    return true;
  } catch (const std::exception& e) {
    error = e.what();
  }
  rewritten = std::string();
  // Restore first, so that the original is back in place while the user reads.
  const bool restored = RestoreBackup(platform, path, backup);
  messages.ShowMessage(error);
  std::string failed = path + std::string(texts::kChangeFailed);
  if (!restored) {
    failed += texts::kOriginalAtPrefix;
    failed += backup;
    failed += texts::kOriginalAtSuffix;
  }
  messages.ShowMessage(failed);
  return false;
}

}  // namespace nw
