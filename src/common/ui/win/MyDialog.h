// The base of every dialog: one static dialog procedure that finds the C++
// object (stored at WM_INITDIALOG) and calls its virtual handlers, with
// exceptions stopped at that boundary. Every dialog gets its background hue
// by nesting depth, the program's small icon, its remembered placement
// (under HKEY_CURRENT_USER\<placements key>\<name>) and, when it has a
// sizing border, controls that follow the size (anchors) and a size grip.
// While tooltips are switched on, each control shows the string-table text
// whose id is its own.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "common/ui/DialogLayout.h"

class MyDialog {
 public:
  // `templateId` names a dialog resource of the program's module.
  MyDialog(UINT templateId, std::string sName, HWND hParent);
  // A template in memory (tests, generated dialogs); it must outlive the dialog.
  MyDialog(const DLGTEMPLATE* pTemplate, std::string sName, HWND hParent);
  virtual ~MyDialog();
  MyDialog(const MyDialog&) = delete;
  MyDialog& operator=(const MyDialog&) = delete;

  // Modal: the button id that ended it, or -1 when it could not be shown.
  INT_PTR DoModal();
  // Modeless: false when the window could not be made.
  bool Create();
  // Modal, in a message loop of its own that offers every message to the
  // accelerator table `hAccel` first (may be null). The window shows itself
  // (the dialog decides when, in OnInitDialog). The id EndDialog was given,
  // or -1 when the window could not be made.
  INT_PTR RunModalLoop(HACCEL hAccel);
  void EndDialog(INT_PTR result);
  HWND GetSafeHwnd() const { return m_hWnd; }
  const std::string& Name() const { return m_sName; }

  // Before the dialog opens: this control takes these anchor flags instead
  // of the computed ones.
  void SetAnchor(int id, unsigned flags) { m_explicitAnchors[id] = flags; }
  unsigned GetAnchor(int id) const;
  COLORREF GetBackgroundColor() const { return m_crBackground; }
  HWND GetToolTip() const { return m_hToolTip; }

  static constexpr const char* kPlacementsKey = "Software\\Kestrove\\Tarvolin 2.0\\Placements";
  static constexpr int kSizeGripId = 0xFFFE;

 protected:
  // Set up the dialog (hue, icon, anchors, placement, layout); derived
  // dialogs set their controls first and then call it. TRUE: focus to the
  // first control.
  virtual BOOL OnInitDialog();
  // Commands: OK and Cancel end the dialog unless a handler takes them.
  virtual bool OnCommand(WORD id, WORD code, HWND hControl);
  // Every other message; true when handled, with the procedure's result.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  // Before the window goes: the placement is remembered.
  virtual void OnDestroy();
  // Moves the anchored controls to a new client size.
  void LayOut(int cx, int cy);
  // Whether OnInitDialog found a remembered placement and applied it.
  bool WasPlacementRestored() const { return m_bPlacementRestored; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void ComputeAnchors();
  void AddToolTips();
  HBRUSH ControlColour(HDC hdc, HWND hControl);

  UINT m_templateId = 0;
  const DLGTEMPLATE* m_pTemplate = nullptr;
  std::string m_sName;
  HWND m_hParent = nullptr;
  HWND m_hWnd = nullptr;
  bool m_bModal = false;
  bool m_bOwnLoop = false;
  bool m_bPlacementRestored = false;
  bool m_bLoopEnded = false;
  INT_PTR m_nLoopResult = -1;
  COLORREF m_crBackground;
  HBRUSH m_hbrBackground = nullptr;
  HICON m_hIcon = nullptr;
  HWND m_hToolTip = nullptr;  // a child of the dialog: destroyed with it
  std::map<int, unsigned> m_explicitAnchors;
  std::map<HWND, unsigned> m_anchors;  // every anchored child and its flags
  SIZE m_lastClient{0, 0};
  SIZE m_minTrack{0, 0};
};
