// Skips one row of a table test that cannot be set up here, the way
// GTEST_SKIP skips a test, while the rows after it still run: the test is
// reported skipped with the row's reason unless another row failed.
#pragma once

#include <gtest/gtest.h>
#include <string>

inline void SkipRow(const std::string &row, const std::string &reason)
{
    GTEST_SKIP() << "row \"" << row << "\" skipped: " << reason;
}
