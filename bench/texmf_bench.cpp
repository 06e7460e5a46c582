// texmf-bench [texmf.cnf]: times UpdateTexmfCnf beside a plain copy of the
// same file (read whole, write whole, through the same platform), and
// measures the peak memory of each. Without a path the realistic case is
// TeX Live's own texmf.cnf; with one, a copy of that file. Synthetic files
// of 1, 8 and 64 MiB show how the cost grows. The last line sums up the
// 64 MiB case.
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bench/texmf_bench_files.h"
#include "platform/posix_platform.h"
#include "settings/writers.h"

namespace nw::bench {
namespace {

constexpr size_t kMiB = 1024 * 1024;
constexpr char kEditor[] = "C:\\Program Files\\Fernlake\\Nibwell\\nibwell.exe";

class SilentSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// A kB figure from /proc/self/status ("VmRSS", "VmHWM"), or -1.
long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(key) && line.size() > std::strlen(key) && line[std::strlen(key)] == ':') {
      return std::stol(line.substr(std::strlen(key) + 1));
    }
  }
  return -1;
}

// Peak memory of one operation in a fresh process (this program again, so
// that no memory freed earlier is reused unseen): the high-water mark is
// reset to the resident size first ("5" into clear_refs) and the growth
// past it is the answer, in bytes; -1 when it cannot be measured.
double PeakBytes(const std::vector<std::string>& args) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    std::vector<char*> argv{const_cast<char*>("texmf-bench"), const_cast<char*>("--peak-of")};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv("/proc/self/exe", argv.data());
    _exit(127);
  }
  close(fds[1]);
  char text[64] = {};
  const ssize_t n = read(fds[0], text, sizeof text - 1);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::strtod(text, nullptr);
}

// The child's side: "rewrite CNF" or "copy SOURCE TARGET".
int PeakOf(int argc, char** argv) {
  if (argc < 4) return 2;
  PosixPlatform platform(std::string(argv[3]) + ".reg");
  SilentSink sink;
  const std::string op = argv[2];
  {
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5";
  }
  const long base = StatusKb("VmRSS");
  if (op == "rewrite") {
    if (!UpdateTexmfCnf(platform, sink, argv[3], kEditor, ".old")) return 1;
  } else if (op == "copy" && argc >= 5) {
    platform.WriteWholeFile(argv[4], platform.ReadWholeFile(argv[3]));
  } else {
    return 2;
  }
  const long hwm = StatusKb("VmHWM");
  if (base < 0 || hwm < 0) return 1;
  std::printf("%ld\n", (hwm - base) * 1024);
  return 0;
}

struct Figures {
  double rewriteMs;
  double copyMs;
  double pureMs;  // RewriteTexmf alone, in memory
  double rewritePeak;
  double copyPeak;
};

Figures Measure(const std::string& bytes) {
  TempFolder folder;
  PosixPlatform platform(folder.Path("registry.reg"));
  SilentSink sink;
  const std::string cnf = folder.Path("texmf.cnf");
  const std::string backup = cnf + ".old";
  const std::string source = folder.Path("source.cnf");
  const std::string copy = folder.Path("copy.cnf");
  platform.WriteWholeFile(source, bytes);

  // Untimed: the files of the last turn go, and the disk writes them all
  // out, so that no turn pays for another's write-back.
  const auto prepare = [&] {
    platform.Remove(backup);
    platform.Remove(copy);
    platform.WriteWholeFile(cnf, bytes);
    sync();
  };
  const auto rewrite = [&] {
    if (!UpdateTexmfCnf(platform, sink, cnf, kEditor, ".old")) std::abort();
  };
  const auto plainCopy = [&] { platform.WriteWholeFile(copy, platform.ReadWholeFile(source)); };
  const auto ms = [](const std::function<void()>& op) {
    const auto start = std::chrono::steady_clock::now();
    op();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
  };

  // Turns alternate, so both see the same state of the machine.
  const int reps = static_cast<int>(std::clamp<size_t>(128 * kMiB / (bytes.size() + 1), 7, 101));
  std::vector<double> rewrites, copies, pures;
  prepare();
  rewrite();  // warms the page cache and the allocator
  for (int i = 0; i < reps; ++i) {
    prepare();
    rewrites.push_back(ms(rewrite));
    prepare();
    copies.push_back(ms(plainCopy));
    pures.push_back(ms([&] { (void)RewriteTexmf(bytes, kEditor); }));
  }
  prepare();
  const double rewritePeak = PeakBytes({"rewrite", cnf});
  prepare();
  const double copyPeak = PeakBytes({"copy", source, copy});
  return {Median(rewrites), Median(copies), Median(pures), rewritePeak, copyPeak};
}

std::string Size(size_t bytes) {
  char text[32];
  if (bytes >= kMiB) {
    std::snprintf(text, sizeof text, "%.0f MiB", static_cast<double>(bytes) / kMiB);
  } else {
    std::snprintf(text, sizeof text, "%.1f KiB", static_cast<double>(bytes) / 1024);
  }
  return text;
}

std::string CpuModel() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("model name")) return line.substr(line.find(':') + 2);
  }
  return "unknown CPU";
}

const char* Compiler() {
#if defined(__clang__)
  return "clang " __clang_version__;
#elif defined(__GNUC__)
  return "gcc " __VERSION__;
#else
  return "unknown compiler";
#endif
}

int Run(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--peak-of") == 0) return PeakOf(argc, argv);
  // Every buffer of 128 KiB or more gets fresh pages and gives them back,
  // at every size, as in the program's single run; glibc would otherwise
  // keep freed buffers of up to 32 MiB and time the small cases warm.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  struct Case {
    std::string name;
    std::string bytes;
  };
  std::vector<Case> cases;
  std::string realName;
  if (argc > 1) {
    realName = argv[1];
  } else {
    realName = FindTexLiveCnf().string();
    if (realName.empty()) std::fprintf(stderr, "no TeX Live texmf.cnf found; synthetic only\n");
  }
  if (!realName.empty()) {
    std::ifstream in(realName, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", realName.c_str());
      return 2;
    }
    cases.push_back({realName, std::string(std::istreambuf_iterator<char>(in), {})});
  }
  for (const size_t mib : {1, 8, 64}) cases.push_back({"synthetic", SyntheticTexmf(mib * kMiB)});

  std::printf("texmf-bench: %u cores, %s, %s\n", std::thread::hardware_concurrency(),
              CpuModel().c_str(), Compiler());
  std::printf("%-9s %9s %11s %9s %6s %10s %9s %10s %11s %10s %9s\n", "case", "size", "rewrite ms",
              "copy ms", "ratio", "rewrite", "copy", "in-memory", "peak MiB", "peak MiB", "peak");
  std::printf("%-9s %9s %11s %9s %6s %10s %9s %10s %11s %10s %9s\n", "", "", "", "", "", "ns/byte",
              "ns/byte", "ms", "rewrite", "copy", "/size");
  Figures last{};
  for (const Case& c : cases) {
    const Figures f = Measure(c.bytes);
    const double size = static_cast<double>(c.bytes.size());
    // Below a MiB the peak is mostly page and allocator granularity.
    char perSize[16] = "-";
    if (size >= kMiB) std::snprintf(perSize, sizeof perSize, "%.2f", f.rewritePeak / size);
    std::printf("%-9s %9s %11.3f %9.3f %6.2f %10.2f %9.2f %10.3f %11.1f %10.1f %9s\n",
                c.name == "synthetic" ? "synthetic" : "real", Size(c.bytes.size()).c_str(),
                f.rewriteMs, f.copyMs, f.rewriteMs / f.copyMs, f.rewriteMs * 1e6 / size,
                f.copyMs * 1e6 / size, f.pureMs, f.rewritePeak / kMiB, f.copyPeak / kMiB, perSize);
    last = f;
  }
  if (!realName.empty()) std::printf("real: %s\n", realName.c_str());
  std::printf("texmf 64MiB: rewrite %.0f ms, copy %.0f ms, ratio %.2f, peak %.0f MiB\n",
              last.rewriteMs, last.copyMs, last.rewriteMs / last.copyMs, last.rewritePeak / kMiB);
  return 0;
}

}  // namespace
}  // namespace nw::bench

int main(int argc, char** argv) { return nw::bench::Run(argc, argv); }
