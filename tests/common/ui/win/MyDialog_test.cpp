// The dialog base on real windows: the object behind the procedure, the
// hue by nesting depth, controls that follow a resize, the remembered
// placement, and exceptions stopped at the procedure.
#include "common/ui/win/MyDialog.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ui/DialogDefaults.h"
#include "common/ui/GenericColors.h"
#include "common/ui/win/TestDialog.h"
#include "res/resource.h"
#include "support/TestSupport.h"

namespace {

constexpr int kEditId = 200;
constexpr int kButtonId = 201;  // ids without a string of their own
constexpr int kLabelId = 202;

// A resizable dialog of 200 x 100 units with a label, a multi-line edit
// field and a button in the lower-right corner, made at start-up.
class SampleDlg : public MyDialog {
 public:
  SampleDlg(const std::vector<WORD>& dlgTemplate, const std::string& name, HWND hParent)
      : MyDialog(reinterpret_cast<const DLGTEMPLATE*>(dlgTemplate.data()), name, hParent) {}

  bool bThrowOnCommand = false;

 protected:
  BOOL OnInitDialog() override {
    const auto child = [this](const char* cls, DWORD style, int id, int x, int y, int cx, int cy) {
      ::CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, GetSafeHwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    child("STATIC", 0, kLabelId, 5, 5, 40, 12);
    child("EDIT", ES_MULTILINE | WS_BORDER, kEditId, 5, 20, 200, 80);
    child("BUTTON", BS_PUSHBUTTON, kButtonId, 240, 120, 60, 20);
    return MyDialog::OnInitDialog();
  }
  bool OnCommand(WORD id, WORD code, HWND hControl) override {
    if (id == kButtonId && bThrowOnCommand) throw std::runtime_error("handler failed");
    return MyDialog::OnCommand(id, code, hControl);
  }
};

std::string UniqueName(const char* what) {
  return std::string("MyDialogTest") + what + std::to_string(::GetCurrentProcessId());
}

RECT ChildRect(HWND hDialog, int id) {
  RECT r{};
  ::GetWindowRect(::GetDlgItem(hDialog, id), &r);
  ::MapWindowPoints(HWND_DESKTOP, hDialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class MyDialogTest : public ::testing::Test {
 protected:
  ~MyDialogTest() override {
    for (const std::string& name : m_names)
      ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(MyDialog::kPlacementsKey) + "\\" + name).c_str());
  }
  std::string Name(const char* what) {
    m_names.push_back(UniqueName(what));
    return m_names.back();
  }

  test::ScopedLog log;
  std::vector<WORD> m_template = test::MakeDialogTemplate(200, 100, true);
  std::vector<std::string> m_names;
};

TEST_F(MyDialogTest, NestedDialogsTakeTheirHueFromTheirDepth) {
  SampleDlg first(m_template, Name("Hue1"), nullptr);
  ASSERT_TRUE(first.Create());
  SampleDlg second(m_template, Name("Hue2"), first.GetSafeHwnd());
  ASSERT_TRUE(second.Create());
  SampleDlg third(m_template, Name("Hue3"), second.GetSafeHwnd());
  ASSERT_TRUE(third.Create());
  EXPECT_EQ(Generic::HLSToRGB(72, 181, 22), first.GetBackgroundColor());
  EXPECT_EQ(Generic::HLSToRGB(120, 181, 22), second.GetBackgroundColor());
  EXPECT_EQ(Generic::HLSToRGB(168, 181, 22), third.GetBackgroundColor());
  // The dialog paints with it.
  const HDC hdc = ::GetDC(first.GetSafeHwnd());
  const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(first.GetSafeHwnd(), WM_CTLCOLORDLG,
                                                             reinterpret_cast<WPARAM>(hdc),
                                                             reinterpret_cast<LPARAM>(first.GetSafeHwnd())));
  ::ReleaseDC(first.GetSafeHwnd(), hdc);
  LOGBRUSH info{};
  ASSERT_NE(0, ::GetObjectA(brush, sizeof info, &info));
  EXPECT_EQ(first.GetBackgroundColor(), info.lbColor);
}

TEST_F(MyDialogTest, ControlsFollowTheSizeAndTheGripStaysInTheCorner) {
  SampleDlg dlg(m_template, Name("Resize"), nullptr);
  ASSERT_TRUE(dlg.Create());
  const HWND hWnd = dlg.GetSafeHwnd();
  EXPECT_EQ(DialogLayout::kGrowX | DialogLayout::kGrowY, dlg.GetAnchor(kEditId));
  EXPECT_EQ(DialogLayout::kMoveX | DialogLayout::kMoveY, dlg.GetAnchor(kButtonId));
  EXPECT_EQ(DialogLayout::kMoveX | DialogLayout::kMoveY, dlg.GetAnchor(MyDialog::kSizeGripId));
  const RECT edit = ChildRect(hWnd, kEditId), button = ChildRect(hWnd, kButtonId),
             label = ChildRect(hWnd, kLabelId);

  RECT window{};
  ::GetWindowRect(hWnd, &window);
  ::SetWindowPos(hWnd, nullptr, 0, 0, window.right - window.left + 50, window.bottom - window.top + 30,
                 SWP_NOMOVE | SWP_NOZORDER);
  const RECT edit2 = ChildRect(hWnd, kEditId), button2 = ChildRect(hWnd, kButtonId),
             label2 = ChildRect(hWnd, kLabelId);
  EXPECT_EQ(edit.right + 50, edit2.right);
  EXPECT_EQ(edit.bottom + 30, edit2.bottom);
  EXPECT_EQ(edit.left, edit2.left);
  EXPECT_EQ(button.left + 50, button2.left);
  EXPECT_EQ(button.top + 30, button2.top);
  EXPECT_EQ(button.right - button.left, button2.right - button2.left);
  EXPECT_EQ(label.left, label2.left);
  EXPECT_EQ(label.top, label2.top);
  RECT client{};
  ::GetClientRect(hWnd, &client);
  const RECT grip = ChildRect(hWnd, MyDialog::kSizeGripId);
  EXPECT_EQ(client.right, grip.right);
  EXPECT_EQ(client.bottom, grip.bottom);

  // Never smaller than it was made.
  MINMAXINFO info{};
  ::SendMessageA(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(window.right - window.left, info.ptMinTrackSize.x);
  EXPECT_EQ(window.bottom - window.top, info.ptMinTrackSize.y);
}

TEST_F(MyDialogTest, PlacementIsRememberedByName) {
  const std::string name = Name("Placement");
  RECT moved{};
  {
    SampleDlg dlg(m_template, name, nullptr);
    ASSERT_TRUE(dlg.Create());
    ::SetWindowPos(dlg.GetSafeHwnd(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::GetWindowRect(dlg.GetSafeHwnd(), &moved);
  }  // destroyed: the placement is written
  SampleDlg again(m_template, name, nullptr);
  ASSERT_TRUE(again.Create());
  RECT restored{};
  ::GetWindowRect(again.GetSafeHwnd(), &restored);
  EXPECT_EQ(moved.left, restored.left);
  EXPECT_EQ(moved.top, restored.top);
}

TEST_F(MyDialogTest, AnExceptionInAHandlerIsStoppedAndLogged) {
  SampleDlg dlg(m_template, Name("Throw"), nullptr);
  ASSERT_TRUE(dlg.Create());
  dlg.bThrowOnCommand = true;
  ::SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), 0);
  EXPECT_TRUE(::IsWindow(dlg.GetSafeHwnd()));
  EXPECT_NE(std::string::npos,
            log.Messages().find("MyDialog <" + dlg.Name() + "> stopped an exception in message <"))
      << log.Messages();
  EXPECT_NE(std::string::npos, log.Messages().find(">: handler failed"));
  // Cancel still ends it.
  ::SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
}

// Each control's tip is the string whose id is its own; controls of the
// library's own string range get none.
TEST_F(MyDialogTest, ControlsShowTheStringOfTheirIdAsTip) {
  class TipDlg : public SampleDlg {
   public:
    using SampleDlg::SampleDlg;

   protected:
    BOOL OnInitDialog() override {
      for (const int id : {IDS_VIEW_TEXT_CAPTION, IDS_API_FAILURE})
        ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, GetSafeHwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
      return SampleDlg::OnInitDialog();
    }
  };
  ASSERT_TRUE(DialogDefaults::s_bToolTipsEnabled);
  TipDlg dlg(m_template, Name("Tips"), nullptr);
  ASSERT_TRUE(dlg.Create());
  ASSERT_NE(nullptr, dlg.GetToolTip());
  EXPECT_EQ(1, ::SendMessageA(dlg.GetToolTip(), TTM_GETTOOLCOUNT, 0, 0));
  char text[512] = {};
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.hwnd = dlg.GetSafeHwnd();
  info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dlg.GetSafeHwnd(), IDS_VIEW_TEXT_CAPTION));
  info.lpszText = text;
  ::SendMessageA(dlg.GetToolTip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ("Viewing Text Inside BHO's File", text);

  DialogDefaults::s_bToolTipsEnabled = false;
  TipDlg quiet(m_template, Name("NoTips"), nullptr);
  ASSERT_TRUE(quiet.Create());
  DialogDefaults::s_bToolTipsEnabled = true;
  EXPECT_EQ(nullptr, quiet.GetToolTip());
}

}  // namespace
