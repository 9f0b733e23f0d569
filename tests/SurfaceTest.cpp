#include <gtest/gtest.h>

#include "host/Surface.h"

TEST(SurfaceSmoke, FillsAPixel) {
  host::Surface s(4, 4);
  s.SetPixel(1, 1, 0x123456);
  EXPECT_EQ(s.GetPixel(1, 1), 0x123456u);
}
