#pragma once

#include <gtest/gtest.h>

#include <string>

// Names the cases of a parameterised test after their parameter's name member.
struct CaseName
{
    template <class T>
    std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.name;
    }
};
