// Inputs and a scratch folder for the texmf.cnf benchmarks.
#pragma once

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

namespace nw::bench {

// TeX Live's own texmf.cnf: the largest one kpsewhich reads (the others are
// short local files). Empty when there is none.
inline std::filesystem::path FindTexLiveCnf() {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen("kpsewhich -all texmf.cnf 2>/dev/null", "r"),
                                             pclose);
  std::filesystem::path best;
  std::uintmax_t bestSize = 0;
  char line[4096];
  while (pipe && fgets(line, sizeof line, pipe.get())) {
    std::string name(line);
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    std::error_code ec;
    const auto size = std::filesystem::file_size(name, ec);
    if (!ec && size > bestSize) {
      best = name;
      bestSize = size;
    }
  }
  return best;
}

// About `bytes` of texmf.cnf-like text: the kinds of lines TeX Live's file
// has (comments, paths, qualified names, a list continued with "\"), LF
// line ends, and one TEXEDIT assignment near the top to replace.
inline std::string SyntheticTexmf(size_t bytes) {
  std::string out;
  out.reserve(bytes + 512);
  out += "% texmf.cnf-like input for the benchmark.\n";
  out += "TEXEDIT = vi +%d '%s'\n";
  for (size_t i = 0; out.size() < bytes; ++i) {
    const std::string n = std::to_string(i);
    out += "\n% Section " + n + ": search paths for one more format.\n";
    out += "%\n";
    out += "TEXMFLOCAL" + n + " = $SELFAUTOPARENT/texmf-local\n";
    out += "TEXINPUTS.platex" + n + " = $TEXMFDOTDIR;$TEXMF/tex/{platex,latex,generic,}//\n";
    out +=
        "MFINPUTS" + n + " = $TEXMFDOTDIR;$TEXMF/metafont/{local,misc,}//;$TEXMF/fonts/source//\n";
    out += "shell_escape_commands" + n +
           " = \\\nbibtex,bibtex8,\\\nextractbb,\\\nkpsewhich,makeindex\n";
    out += "   % TEXEDIT = emacs +%d '%s'   (an example, kept as a comment)\n";
    out += "save_size.context" + n + " = 100000\n";
    out += "openout_any = p   % paranoid\n";
  }
  return out;
}

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "texmf-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace nw::bench
