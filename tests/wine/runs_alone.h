#pragma once
// Tests that use what every program on the display shares (the mouse cursor, the keyboard focus,
// the active window) would disturb each other when run side by side. They run alone, from
// entries of their own in the test list that set VELVANE_RUN_ALONE; elsewhere they skip.

#include <windows.h>

#include <gtest/gtest.h>

#define VELVANE_RUNS_ALONE()                                               \
    if (GetEnvironmentVariableA("VELVANE_RUN_ALONE", nullptr, 0) == 0) {   \
        GTEST_SKIP() << "runs alone, from its own entry in the test list"; \
    }
