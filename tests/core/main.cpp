// SPDX-License-Identifier: GPL-3.0-or-later
// The runner of every core test.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
