// The small icons a grid shows in its cells, by index: the program's own
// icon resources and the first icon of a file. The platform holds the
// images; a stand-in without images keeps only what was added, so the
// indexes behave alike everywhere.
#pragma once

#include <memory>
#include <string>

class GridImageList {
 public:
  virtual ~GridImageList() = default;

  // The index of the added image, or -1.
  virtual int AddResourceIcon(unsigned resourceId) = 0;
  // The first icon of the file, or the system's standard application icon
  // when the file has none (or is missing).
  virtual int AddFileIcon(const std::string& sPath) = 0;
  virtual int GetImageCount() const = 0;
  // Drops every image from `count` on.
  virtual bool SetImageCount(int count) = 0;

  // A 16 x 16 list of 16 colours.
  static std::unique_ptr<GridImageList> Create(int cx, int cy, int initial, int grow);
};
