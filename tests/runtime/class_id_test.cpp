#include "runtime/class_id.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ClassIdFromString, ParsesTheRegistryFormAndRefusesAnythingElse) {
  rt::ClassId id;
  ASSERT_EQ(rt::CLSIDFromString(u"{557CF405-1A04-11d3-9A73-0000F81EF32E}", &id), rt::kOk);
  EXPECT_EQ(id, (rt::ClassId{
                    0x557CF405, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}}));

  const std::u16string bad[] = {
      u"",
      u"557CF405-1A04-11D3-9A73-0000F81EF32E",
      u"{557CF405-1A04-11D3-9A73-0000F81EF32E",
      u"{557CF405-1A04-11D3-9A73-0000F81EF32E}x",
      u"{557CF405-1A04-11D3-9A730-000F81EF32E}",
      u"{557CF4G5-1A04-11D3-9A73-0000F81EF32E}",
  };
  for (const std::u16string& text : bad) {
    rt::ClassId kept{1, 2, 3, {}};
    EXPECT_EQ(rt::CLSIDFromString(text.c_str(), &kept), rt::kBadClassString);
    EXPECT_EQ(kept, (rt::ClassId{1, 2, 3, {}}));
  }
}

}  // namespace
