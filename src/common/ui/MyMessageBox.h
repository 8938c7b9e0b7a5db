// A message box that remembers, per call site and program version, when the
// user chose not to see it again. The choice lives in the registry under
// "MyMessageBoxAlways"; the window itself is the user interface's (without
// one, the message goes through UserMessage with the box left ticked).
#pragma once

#include <functional>
#include <string>

class MyMessageBox {
 public:
  // `sourceFile` and `line` name the call site; `captionId` is the string
  // shown in the caption (0 for the program's name); `style` holds the MB_
  // button, icon and default-button bits.
  MyMessageBox(std::string text, std::string sourceFile, int line, unsigned captionId, unsigned style);

  // The pressed button (1 OK, 2 Cancel), or the remembered answer without
  // showing anything.
  int DoModal();

  // Some call sites never remember a Cancel, so their box keeps coming.
  bool m_bNeverRememberCancel = false;

  const std::string& GetText() const { return m_sText; }
  unsigned GetCaptionId() const { return m_uiCaptionId; }
  unsigned GetStyle() const { return m_uiStyle; }
  // "Tarvolin_385_2.0.0.23": the registry value of this call site.
  std::string GetValueName() const;

  // Shows the box; returns the button and sets the final state of the
  // "Always show this message." check box (1 ticked).
  using Presenter = std::function<int(const MyMessageBox& box, int& nCheckShow)>;
  static Presenter SetPresenter(Presenter presenter);

 private:
  std::string m_sText;
  std::string m_sSourceFile;
  int m_nLine;
  unsigned m_uiCaptionId;
  unsigned m_uiStyle;
};
