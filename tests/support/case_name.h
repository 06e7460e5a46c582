#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace nw::test {

// Prints a table row as its name, so that test listings stay readable.
// Bring it into the row's namespace with `using test::PrintTo;`.
template <class Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

// Names a parameterised case after the `name` field of its table row.
struct CaseName {
  template <class Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace nw::test
