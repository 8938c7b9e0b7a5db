// Grid images in a system image list: the program's icon resources at the
// list's size and the small first icon of a file.
#include "controls/win/GridImageListWin.h"

#include <windows.h>
#include <shellapi.h>

#include <climits>

#include "controls/win/GdiHandles.h"

namespace {

class WinImageList : public GridImageList {
 public:
  WinImageList(int cx, int cy, int initial, int grow)
      : m_cx(cx), m_cy(cy), m_list(::ImageList_Create(cx, cy, ILC_COLOR4 | ILC_MASK, initial, grow)) {}

  bool IsValid() const { return static_cast<bool>(m_list); }
  HIMAGELIST Get() const { return m_list.Get(); }

  int AddResourceIcon(unsigned resourceId) override {
    Gdi::Icon icon(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                                   IMAGE_ICON, m_cx, m_cy, LR_DEFAULTCOLOR)));
    if (!icon) return -1;
    return ::ImageList_AddIcon(m_list.Get(), icon.Get());
  }

  int AddFileIcon(const std::string& sPath) override {
    HICON hSmall = nullptr;
    const UINT nFound = ::ExtractIconExA(sPath.c_str(), 0, nullptr, &hSmall, 1);
    Gdi::Icon icon(hSmall);  // extracted icons are ours to destroy
    if (nFound != 0 && nFound != UINT_MAX && icon) return ::ImageList_AddIcon(m_list.Get(), icon.Get());
    // The shared standard icon belongs to the system.
    return ::ImageList_AddIcon(m_list.Get(), ::LoadIconA(nullptr, IDI_APPLICATION));
  }

  int GetImageCount() const override { return ::ImageList_GetImageCount(m_list.Get()); }

  bool SetImageCount(int count) override {
    if (count < 0) return false;
    if (::ImageList_SetImageCount(m_list.Get(), static_cast<UINT>(count))) return true;
    while (GetImageCount() > count) {
      if (!::ImageList_Remove(m_list.Get(), GetImageCount() - 1)) return false;
    }
    return GetImageCount() == count;
  }

 private:
  int m_cx;
  int m_cy;
  Gdi::ImageList m_list;
};

}  // namespace

std::unique_ptr<GridImageList> GridImageList::Create(int cx, int cy, int initial, int grow) {
  auto pList = std::make_unique<WinImageList>(cx, cy, initial, grow);
  if (!pList->IsValid()) return nullptr;
  return pList;
}

HIMAGELIST GetImageListHandle(const GridImageList& images) {
  const auto* pList = dynamic_cast<const WinImageList*>(&images);
  return pList ? pList->Get() : nullptr;
}
