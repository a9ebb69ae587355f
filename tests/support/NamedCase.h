#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// A row of a table test, with a name that ctest lists and failures print.
struct NamedCase
{
    const char* name;
};

inline std::ostream& operator<<(std::ostream& out, const NamedCase& row)
{
    return out << row.name;
}

// The test-name generator for INSTANTIATE_TEST_SUITE_P over NamedCase rows.
struct CaseName
{
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const
    {
        return info.param.name;
    }
};
