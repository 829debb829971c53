#include <gtest/gtest.h>
// The core test program needs one source until the core's own tests land.
TEST(Core, Links) { SUCCEED(); }
