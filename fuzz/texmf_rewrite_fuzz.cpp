// libFuzzer target over the texmf.cnf rewrite: every input must keep the
// properties of tests/support/texmf_properties.h.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "settings/writers.h"
#include "tests/support/texmf_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::string_view editor =
      nw::test::texmf::kEditors[size % std::size(nw::test::texmf::kEditors)];
  const std::string problem = nw::test::texmf::CheckRewrite(in, nw::TexeditLine(editor));
  if (!problem.empty()) {
    std::fprintf(stderr, "texmf rewrite: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
