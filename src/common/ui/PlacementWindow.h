// What storing and restoring a window's placement needs of the window, so
// the rules can live (and be tested) apart from the window system.
#pragma once

#include <cstddef>
#include <cstdint>

// The platform's WINDOWPLACEMENT, stored whole as one 44-byte binary value.
struct WindowPlacementRecord {
  static constexpr std::size_t kSize = 44;

  std::int32_t length = kSize;
  std::uint32_t flags = 0;
  std::uint32_t showCmd = 0;
  std::int32_t minX = 0, minY = 0;
  std::int32_t maxX = 0, maxY = 0;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // the normal rectangle

  // Little-endian, in the structure's field order.
  void ToBytes(std::uint8_t (&bytes)[kSize]) const;
  void FromBytes(const std::uint8_t (&bytes)[kSize]);
};

class PlacementWindow {
 public:
  virtual ~PlacementWindow() = default;

  virtual bool GetWindowPlacement(WindowPlacementRecord& record) = 0;
  virtual bool SetWindowPlacement(const WindowPlacementRecord& record) = 0;
  // Whether the user can resize it (it has a sizing border).
  virtual bool IsResizable() = 0;
  // Moves the top-left corner, keeping size and Z-order.
  virtual bool MoveTo(int left, int top) = 0;
  // Width of the primary screen in pixels.
  virtual int GetScreenWidthPixels() = 0;
};
