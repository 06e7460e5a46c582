// Google Benchmark cases for the texmf.cnf rewrite: RewriteTexmf in memory,
// and UpdateTexmfCnf on a real file beside a plain read-and-write copy of
// it, on TeX Live's texmf.cnf (when found) and on 1, 8 and 64 MiB of
// texmf.cnf-like text.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "bench/texmf_bench_files.h"
#include "platform/posix_platform.h"
#include "settings/writers.h"

namespace nw::bench {
namespace {

constexpr char kEditor[] = "C:\\Program Files\\Fernlake\\Nibwell\\nibwell.exe";

class NoSink : public MessageSink {
 public:
  void ShowMessage(std::string_view) override {}
};

void RewriteInMemory(benchmark::State& state, const std::string& bytes) {
  const std::string line = TexeditLine(kEditor);
  for (auto _ : state) benchmark::DoNotOptimize(RewriteTexmf(bytes, line));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void UpdateFile(benchmark::State& state, const std::string& bytes) {
  TempFolder folder;
  PosixPlatform platform(folder.Path("registry.reg"));
  NoSink sink;
  const std::string cnf = folder.Path("texmf.cnf");
  for (auto _ : state) {
    state.PauseTiming();
    platform.Remove(cnf + ".old");
    platform.WriteWholeFile(cnf, bytes);
    sync();
    state.ResumeTiming();
    if (!UpdateTexmfCnf(platform, sink, cnf, kEditor, ".old")) state.SkipWithError("failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void PlainCopy(benchmark::State& state, const std::string& bytes) {
  TempFolder folder;
  PosixPlatform platform(folder.Path("registry.reg"));
  const std::string source = folder.Path("source.cnf");
  const std::string copy = folder.Path("copy.cnf");
  platform.WriteWholeFile(source, bytes);
  for (auto _ : state) {
    state.PauseTiming();
    platform.Remove(copy);
    sync();
    state.ResumeTiming();
    platform.WriteWholeFile(copy, platform.ReadWholeFile(source));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

}  // namespace
}  // namespace nw::bench

int main(int argc, char** argv) {
  using namespace nw::bench;
  // Fresh pages for every large buffer at every size, as in the program's
  // single run (see texmf_bench.cpp).
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  benchmark::Initialize(&argc, argv);

  static std::vector<std::pair<std::string, std::string>> inputs;
  if (const auto texlive = FindTexLiveCnf(); !texlive.empty()) {
    std::ifstream in(texlive, std::ios::binary);
    inputs.emplace_back("texlive", std::string(std::istreambuf_iterator<char>(in), {}));
  }
  for (const size_t mib : {1, 8, 64}) {
    inputs.emplace_back(std::to_string(mib) + "MiB", SyntheticTexmf(mib * 1024 * 1024));
  }
  for (const auto& [name, bytes] : inputs) {
    benchmark::RegisterBenchmark(("RewriteTexmf/" + name).c_str(), RewriteInMemory, bytes)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("UpdateTexmfCnf/" + name).c_str(), UpdateFile, bytes)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("PlainCopy/" + name).c_str(), PlainCopy, bytes)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
