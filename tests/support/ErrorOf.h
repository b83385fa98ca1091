// The message of the error a piece of code raises, so that a test states the
// expected error in one line: EXPECT_EQ(ErrorOf<EReadError>(f), "...").
#pragma once

#include "Exceptions.h"

#include <gtest/gtest.h>
#include <string>

// The message of the exception of class E that f raises; "" when f returns.
// Any other exception is a test failure, reported with its message.
template <typename E = Exception, typename F>
std::string ErrorOf(F &&f)
{
    try {
        f();
    } catch (const E &e) {
        return e.what();
    } catch (const std::exception &e) {
        ADD_FAILURE() << "unexpected error class: " << e.what();
        return "(unexpected error class)";
    }
    return "";
}
