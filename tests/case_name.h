#pragma once
// Names parameterised test cases after the `name` field of their case table entries.

#include <gtest/gtest.h>

#include <string>

namespace velvane {

struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& param) const {
        return param.param.name;
    }
};

}  // namespace velvane
