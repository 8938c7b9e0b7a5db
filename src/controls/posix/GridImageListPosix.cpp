// Without a window system a grid has no pictures: the list only counts what
// was added, so image indexes are handed out as on Windows.
#include "controls/GridImageList.h"

namespace {

class CountingImageList : public GridImageList {
 public:
  int AddResourceIcon(unsigned) override { return m_nCount++; }
  int AddFileIcon(const std::string&) override { return m_nCount++; }
  int GetImageCount() const override { return m_nCount; }
  bool SetImageCount(int count) override {
    if (count < 0) return false;
    m_nCount = count;
    return true;
  }

 private:
  int m_nCount = 0;
};

}  // namespace

std::unique_ptr<GridImageList> GridImageList::Create(int, int, int, int) {
  return std::make_unique<CountingImageList>();
}
