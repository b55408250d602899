#pragma once
// Tests that use what every program on the display shares (the mouse cursor, the keyboard focus,
// the active window) would disturb each other when run side by side. Each runs alone, from a
// serial entry of its own in the test list that sets VELVANE_RUN_ALONE (add_wine_gtests_alone in
// cmake/wine-tests.cmake); run by hand without it, they skip.

#include <windows.h>

#include <gtest/gtest.h>

#define VELVANE_RUNS_ALONE()                                               \
    if (GetEnvironmentVariableA("VELVANE_RUN_ALONE", nullptr, 0) == 0) {   \
        GTEST_SKIP() << "runs alone, from its own entry in the test list"; \
    }
