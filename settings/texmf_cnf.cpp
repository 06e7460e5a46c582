#include <exception>
#include <string>

#include "settings/texts.h"
#include "settings/writers.h"

namespace nw {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiUpper(text[i]) != prefix[i]) return false;
  }
  return true;
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
  const std::string_view trimmed = Trim(line);
  if (trimmed.starts_with(texts::kCommentLead)) return false;
  if (!StartsWithNoCase(trimmed, texts::kTexeditName)) return false;
  const std::string_view rest = Trim(trimmed.substr(texts::kTexeditName.size()));
  return rest.starts_with('=');
}

std::string RewriteTexmf(std::string_view content, std::string_view newLine) {
  std::string out;
  // Most files only gain the CR of each line end; an eighth more avoids
  // regrowing for LF-only files of short lines.
  out.reserve(content.size() + content.size() / 8 + newLine.size() + 2);
  bool replaced = false;
  const char* const end = content.data() + content.size();
  const char* lineStart = content.data();
  while (lineStart != end) {
    const char* lineEnd = lineStart;
    while (lineEnd != end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
    const std::string_view line(lineStart, static_cast<size_t>(lineEnd - lineStart));
    if (IsTexeditAssignment(line)) {
      out += newLine;
      replaced = true;
    } else {
      out += line;
    }
    out += texts::kLineEnd;
    lineStart = lineEnd;
    if (lineStart != end) {
      const bool cr = *lineStart == '\r';
      ++lineStart;
      if (cr && lineStart != end && *lineStart == '\n') ++lineStart;
    }
  }
  if (!replaced) {
    out += newLine;
    out += texts::kLineEnd;
  }
  return out;
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
  std::string rewritten = RewriteTexmf(platform.ReadWholeFile(path), TexeditLine(nwPath));

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
