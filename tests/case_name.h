#pragma once

#include <gtest/gtest.h>

#include <string>

// Table rows carry a name; parameterised tests take it as their own.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return info.param.name;
}
