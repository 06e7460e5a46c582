#pragma once

#include <gtest/gtest.h>

#include <string>

namespace nw::test {

// Names a parameterised case after the `name` field of its table row.
struct CaseName {
  template <class Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace nw::test
