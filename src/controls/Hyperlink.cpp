#include "controls/Hyperlink.h"

#include <cctype>

#include "common/base/ErrorCheck.h"
#include "common/ui/Shell.h"

bool Hyperlink::IsWebOrMailAddress(const std::string& sAddress) {
  for (const char* scheme : {"http://", "https://", "mailto:"}) {
    const std::string sScheme(scheme);
    if (sAddress.size() <= sScheme.size()) continue;
    bool bMatch = true;
    for (size_t i = 0; i < sScheme.size() && bMatch; ++i)
      bMatch = std::tolower(static_cast<unsigned char>(sAddress[i])) == sScheme[i];
    if (!bMatch) continue;
    // One line of printable text: no quotes or controls for the shell to split on.
    for (char c : sAddress) {
      if (static_cast<unsigned char>(c) < 0x21 || c == '"') return false;
    }
    return true;
  }
  return false;
}

bool Hyperlink::Follow() {
  LOG_ENTRY("MyHyperlink::Follow");
  if (!IsWebOrMailAddress(m_sAddress)) {
    LOGE("Not opening <%s>: it is no web or mail address.\n", m_sAddress.c_str());
    return false;
  }
  const std::intptr_t result = Shell::Navigate(m_sAddress);
  if (result <= 32) {
    LOGE("Could not open <%s>: the shell answered <%d>.\n", m_sAddress.c_str(), static_cast<int>(result));
    return false;
  }
  m_bVisited = true;
  return true;
}
