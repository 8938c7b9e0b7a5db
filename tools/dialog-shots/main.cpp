// Shows each of the program's secondary windows in turn and saves what the
// screen shows of it as a BMP file in the folder given on the command line
// (scripts/dialog-shots.sh runs it under Xvfb and turns the files into PNG).
// Modal dialogs are grabbed from a thread timer inside their own loop once
// they have painted, then closed with their default button.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/ui/MyMessageBox.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/win/GenericWin.h"
#include "common/ui/win/MyMessageBoxDlg.h"
#include "common/ui/win/MyModelessDlg.h"
#include "controls/win/MyButton.h"
#include "dialogs/win/DetectDlg.h"
#include "dialogs/win/GreetingDlg.h"
#include "res/IconsRes.h"
#include "res/resource.h"

namespace {

std::string g_sOutDir;
std::string g_sShotName;
std::function<void()> g_onShot;
int g_nTicks = 0;

// The window's screen rectangle, read back from the screen, as a 24-bit BMP.
bool SaveWindowShot(HWND hWnd, const std::string& name) {
  RECT r{};
  ::GetWindowRect(hWnd, &r);
  const int cx = r.right - r.left, cy = r.bottom - r.top;
  const HDC hScreen = ::GetDC(nullptr);
  const HDC hMem = ::CreateCompatibleDC(hScreen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP hBitmap = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(hMem, hBitmap);
  ::BitBlt(hMem, 0, 0, cx, cy, hScreen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = (static_cast<DWORD>(cx) * 3 + 3) & ~3u;
  const DWORD size = stride * static_cast<DWORD>(cy);
  BITMAPFILEHEADER file{0x4D42,
                        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + size, 0, 0,
                        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  const std::string path = g_sOutDir + "\\" + name + ".bmp";
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = false;
  if (f) {
    ok = std::fwrite(&file, sizeof file, 1, f) == 1 &&
         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 && std::fwrite(bits, size, 1, f) == 1;
    std::fclose(f);
  }
  ::SelectObject(hMem, old);
  ::DeleteObject(hBitmap);
  ::DeleteDC(hMem);
  ::ReleaseDC(nullptr, hScreen);
  std::printf("%s %s (%dx%d)\n", ok ? "saved" : "FAILED", path.c_str(), cx, cy);
  return ok;
}

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam) {
  char name[16] = {};
  ::GetClassNameA(hWnd, name, sizeof name);
  if (std::string(name) != "#32770" || !::IsWindowVisible(hWnd)) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hWnd;
  return FALSE;
}

// Grabs the shown modal dialog a few ticks after it appeared (so that it and
// its animation have painted) and closes it.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND hDialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&hDialog));
  if (!hDialog || ++g_nTicks < 6) return;
  g_nTicks = 0;
  ::RedrawWindow(hDialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveWindowShot(hDialog, g_sShotName);
  ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void Pump(int ms) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  while (::GetTickCount() < end) {
    Generic::PumpMessages();
    ::Sleep(20);
  }
}

void ShotOfModal(const std::string& name, const std::function<void()>& show) {
  g_sShotName = name;
  g_nTicks = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &Tick);
  show();
  ::KillTimer(nullptr, timer);
}

// The main window's four button icons and the grid's status icons, as the
// button and image-list code shows them.
std::vector<WORD> IconSheetTemplate() {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE header{};
  header.style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  header.cx = 440;
  header.cy = 70;
  std::memcpy(t.data(), &header, sizeof header);
  t.push_back(0);
  t.push_back(0);
  for (const wchar_t* p = L"Icons"; *p; ++p) t.push_back(static_cast<WORD>(*p));
  t.push_back(0);
  t.push_back(8);
  for (const wchar_t* p = L"MS Shell Dlg"; *p; ++p) t.push_back(static_cast<WORD>(*p));
  t.push_back(0);
  return t;
}

class IconSheet : public MyDialog {
 public:
  explicit IconSheet(const std::vector<WORD>& t)
      : MyDialog(reinterpret_cast<const DLGTEMPLATE*>(t.data()), "DialogShotsIcons", nullptr) {}

 protected:
  BOOL OnInitDialog() override {
    const struct {
      const char* text;
      UINT icon;
    } buttons[] = {{"&Check for Updates", IDI_CHECK_UPDATES},
                   {"Send &BHO Reports", IDI_SEND_REPORTS},
                   {"&Settings", IDI_SETTINGS},
                   {"&Help", IDI_HELP}};
    int x = 10;
    for (std::size_t i = 0; i < 4; ++i) {
      const int id = 1100 + static_cast<int>(i);
      ::CreateWindowExA(0, "BUTTON", buttons[i].text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 10, 160, 44,
                        GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
      m_buttons[i].Attach(id, GetSafeHwnd());
      m_buttons[i].SetIcon(buttons[i].icon, 32, 32);
      x += 166;
    }
    x = 10;
    for (UINT id : {IDI_BENIGN, IDI_UNKNOWN, IDI_MALWARE, IDI_INVESTIGATING, IDI_CLOSE}) {
      const HWND h = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON, x, 70, 16, 16,
                                       GetSafeHwnd(), nullptr, nullptr, nullptr);
      const auto icon = static_cast<HICON>(
          ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_SHARED));
      ::SendMessageA(h, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
      x += 30;
    }
    return MyDialog::OnInitDialog();
  }

 private:
  MyButton m_buttons[4];
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) {
    std::fprintf(stderr, "Usage: dialog-shots.exe OUTPUT_FOLDER\n");
    return 2;
  }
  g_sOutDir = __argv[1];
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&classes);
  InstallMessageBoxWindow();
  InstallProgressWindow();

  const struct {
    const char* name;
    unsigned style;
    unsigned headline;
    const char* text;
  } boxes[] = {
      {"MessageBoxInformation", 0x40, IDS_BHO_ENABLED_CAPTION,
       "Thanks for trying Tarvolin!\n\nTarvolin has examined your Registry, and found any and all BHOs "
       "(Browser "
       "Helper Objects). If there aren't any in the list, that simply means your PC doesn't have any BHOs "
       "installed, which is quite possible."},
      {"MessageBoxExclamation", 0x30, IDS_DAP_DETECTED,
       "Download Accelerator Plus is installed on this PC.\n\nIts BHO is listed below."},
      {"MessageBoxQuestion", 0x121, IDS_VIEW_TEXT_CAPTION,
       "Are you sure you want to quit Tarvolin?\n\nIt's better to leave Tarvolin running at all times, so "
       "that it "
       "can detect if someone tries to install a BHO on your machine.  Detection of new BHO installations "
       "will "
       "CEASE if you exit Tarvolin."},
  };
  int line = 1;
  for (const auto& b : boxes) {
    ShotOfModal(b.name,
                [&] { MyMessageBox(b.text, "DialogShots.cpp", line++, b.headline, b.style).DoModal(); });
  }

  {
    std::unique_ptr<ProgressWindow> progress = ProgressWindow::Create();
    progress->SetMessage("Downloading:\r\n\r\nC:\\Program Files\\Tarvolin 2.0\\Tarvolin20List.ini");
    progress->SetProgress(40, 100);
    Pump(700);
    SaveWindowShot(dynamic_cast<MyModelessDlg&>(*progress).GetSafeHwnd(), "ProgressWindow");
  }

  ShotOfModal("DetectDlg", [] { DetectDlg(nullptr).DoModal(); });
  ShotOfModal("GreetingDlg", [] {
    GreetingDlg dlg(nullptr);
    dlg.m_nCheckShow = 1;
    dlg.DoModal();
  });
  const std::vector<WORD> sheet = IconSheetTemplate();
  ShotOfModal("Icons", [&] { IconSheet(sheet).DoModal(); });
  return 0;
}
