// One entry of an icon group resource (RT_GROUP_ICON): after the 6-byte
// header come these, one per image of the icon.
#pragma once

#include <windows.h>

namespace test {

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

}  // namespace test
