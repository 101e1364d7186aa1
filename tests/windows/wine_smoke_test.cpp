#include <gtest/gtest.h>
#include <windows.h>

#include "platform/text/cp932.h"

// The lead-byte test agrees with the system's code page 932 for every byte.
TEST(WineCp932, LeadBytesAgreeWithSystem) {
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(trovex::text::IsCp932LeadByte(static_cast<unsigned char>(b)),
              IsDBCSLeadByteEx(932, static_cast<BYTE>(b)) != 0)
        << "byte " << b;
  }
}
