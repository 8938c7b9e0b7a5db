#include "common/ui/MyMessageBox.h"

#include "common/base/GenericPaths.h"
#include "common/fileinfo/ProgramVersion.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/StringTable.h"
#include "common/ui/UserMessage.h"
#include "res/version.h"

namespace {

MyMessageBox::Presenter& CurrentPresenter() {
  static MyMessageBox::Presenter presenter;
  return presenter;
}

}  // namespace

MyMessageBox::MyMessageBox(std::string text, std::string sourceFile, int line, unsigned captionId,
                           unsigned style)
    : m_sText(std::move(text)),
      m_sSourceFile(std::move(sourceFile)),
      m_nLine(line),
      m_uiCaptionId(captionId),
      m_uiStyle(style) {}

std::string MyMessageBox::GetValueName() const {
  return Generic::GetFileTitle(m_sSourceFile) + "_" + std::to_string(m_nLine) + "_" + TARVOLIN_VERSION_TEXT;
}

MyMessageBox::Presenter MyMessageBox::SetPresenter(Presenter presenter) {
  Presenter old = std::move(CurrentPresenter());
  CurrentPresenter() = std::move(presenter);
  return old;
}

int MyMessageBox::DoModal() {
  MyRegistry reg(Registry::kCurrentUser, std::string(REGKEY_PROGRAM) + "\\MyMessageBoxAlways", true);
  DWord dwAlways = 0x10001;
  reg.ReadValueDWord(GetValueName(), dwAlways);
  if ((dwAlways & 0xFFFF) == 0) return static_cast<int>(dwAlways >> 16);

  int nCheckShow = 1;
  const int nAnswer = CurrentPresenter() ? CurrentPresenter()(*this, nCheckShow)
                                         : UserMessage::Show(m_sText, m_uiStyle,
                                                             m_uiCaptionId ? StringTable::Load(m_uiCaptionId)
                                                                           : "Tarvolin 2.0");
  const bool bCancel = nAnswer == UserMessage::kIdCancel;
  DWord dwRemember = static_cast<DWord>(nCheckShow) | (bCancel ? 0x20000u : 0x10000u);
  if (bCancel && m_bNeverRememberCancel) dwRemember = 0x20001;
  reg.SaveValueDWord(GetValueName(), dwRemember);
  return nAnswer;
}
