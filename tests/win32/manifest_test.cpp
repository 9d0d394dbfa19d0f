// The test program carries digestorium.exe's manifest, so what it asks for holds here too.
#include "platform/system.h"

#include <gtest/gtest.h>

TEST(Manifest, AnsiCodePageIsUtf8) {
    EXPECT_TRUE(dg::AnsiCodePageIsUtf8());
}
