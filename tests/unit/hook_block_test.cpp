#include "base/hook_block.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tdialix {
namespace {

// The block is read by a library built apart from the program: its bytes are
// fixed, whatever the bitness of either.
TEST(HookBlock, HoldsThreeLittleEndianWordsInTwelveBytes) {
  const THookBlock block{HookBlockWindow(0x00030A2E), 0x8065, 0x8064};
  unsigned char bytes[12];
  static_assert(sizeof block == sizeof bytes);
  std::memcpy(bytes, &block, sizeof bytes);
  const unsigned char expected[12] = {0x2E, 0x0A, 0x03, 0x00, 0x65, 0x80, 0x00, 0x00, 0x64, 0x80, 0x00, 0x00};
  EXPECT_EQ(std::memcmp(bytes, expected, sizeof bytes), 0);
}

// A handle keeps its low 32 bits in the block and comes back as the system
// widens handles: by sign extension, so that one whose bit 31 is set on
// 64-bit Windows reads back the same.
TEST(HookBlock, WindowHandlesSurviveTheBlockOnEitherBitness) {
  if constexpr (sizeof(std::uintptr_t) == 8) {
    const struct {
      std::uint64_t Handle;
      std::uint32_t Stored;
    } cases[] = {
        {0x0000000000030A2E, 0x00030A2E},
        {0x000000007FFFFFFE, 0x7FFFFFFE},
        {0xFFFFFFFF8001002A, 0x8001002A},
        {0, 0},
    };
    for (const auto& c : cases) {
      EXPECT_EQ(HookBlockWindow(c.Handle), c.Stored) << std::hex << c.Handle;
      EXPECT_EQ(HookBlockHandle(c.Stored), c.Handle) << std::hex << c.Handle;
    }
  }
  // On 32-bit the stored value is the handle itself.
  EXPECT_EQ(static_cast<std::uint32_t>(HookBlockHandle(0x8001002A)), 0x8001002Au);
  EXPECT_EQ(HookBlockHandle(HookBlockWindow(0x00030A2E)), 0x00030A2Eu);
}

}  // namespace
}  // namespace tdialix
