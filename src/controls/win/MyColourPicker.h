// A colour picker button: it shows the chosen colour (or the text "Default"
// over the default colour) and, on a click, offers "Default" and the
// system's colour dialog. The owner reads the colour back when it is done.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class MyColourPicker {
 public:
  MyColourPicker() = default;
  MyColourPicker(const MyColourPicker&) = delete;
  MyColourPicker& operator=(const MyColourPicker&) = delete;

  // The dialog's owner-drawn button `id`.
  bool Attach(int id, HWND hDialog);
  HWND GetSafeHwnd() const { return m_hWnd; }

  void SetColour(COLORREF cr);
  // The chosen colour; the default colour when "Default" is chosen.
  COLORREF GetColour() const { return m_bDefault ? m_crDefault : m_crColour; }
  bool IsDefault() const { return m_bDefault; }
  void SetDefaultColour(COLORREF cr, const std::string& sText);
  // Whether the swatch names the default choice, and whether the colour
  // dialog opens with its custom-colour part shown.
  void SetShowDefaultText(bool bOn) { m_bShowDefaultText = bOn; }
  void SetFullOpen(bool bOn) { m_bFullOpen = bOn; }

  // The dialog's handlers: its WM_DRAWITEM for this button and the click.
  void DrawItem(const DRAWITEMSTRUCT& dis) const;
  void OnClicked();

  // What a click chose; tests stand in for the menu and the colour dialog.
  enum class Choice { kNone, kDefault, kColour };
  using Chooser = std::function<Choice(HWND hOwner, COLORREF crCurrent, bool bFullOpen, COLORREF& crChosen)>;
  static Chooser SetChooser(Chooser chooser);

 private:
  HWND m_hWnd = nullptr;
  COLORREF m_crColour = 0;
  COLORREF m_crDefault = 0;
  std::string m_sDefaultText = "Default";
  bool m_bDefault = false;
  bool m_bShowDefaultText = false;
  bool m_bFullOpen = false;
};
