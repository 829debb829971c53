#pragma once
// A test fixture run on both backends of an installation (Installation's Backend): the same
// test, the same expected values, once on SQLite files and once on the test cluster's
// server; a difference between them is a failure. The server's case skips without a
// test cluster.
#include "support/installation.h"

#include <gtest/gtest.h>

#include <string>

namespace tarix::test {

inline std::string backendName(const ::testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::Server ? "Server" : "Embedded";
}

} // namespace tarix::test

#define TARIX_INSTALLATION_ON_BOTH_BACKENDS(Fixture)                                            \
    INSTANTIATE_TEST_SUITE_P(Backends, Fixture,                                                 \
                             ::testing::Values(::tarix::test::Backend::Embedded,                \
                                               ::tarix::test::Backend::Server),                 \
                             ::tarix::test::backendName)
