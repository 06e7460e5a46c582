// Runs the whole-program cases against the program named on the command
// line, after the GoogleTest options.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/program/running_program.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s [test options] PROGRAM.exe\n", argv[0]);
    return 2;
  }
  nw::program::SetProgramPath(argv[1]);
  return RUN_ALL_TESTS();
}
