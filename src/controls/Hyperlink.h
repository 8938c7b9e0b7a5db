// What a hyperlink control knows without its window: the address it opens,
// the text it shows (the address when none is given), whether it has been
// followed, and the colour that follows from that.
#pragma once

#include <cstdint>
#include <string>

class Hyperlink {
 public:
  static constexpr std::uint32_t kLinkColour = 0x00CC0000;     // blue (COLORREF order: 0x00BBGGRR)
  static constexpr std::uint32_t kVisitedColour = 0x00800080;  // purple

  void SetAddress(std::string sAddress) { m_sAddress = std::move(sAddress); }
  void SetText(std::string sText) { m_sText = std::move(sText); }
  const std::string& GetAddress() const { return m_sAddress; }
  const std::string& GetText() const { return m_sText.empty() ? m_sAddress : m_sText; }

  bool IsVisited() const { return m_bVisited; }
  std::uint32_t GetColour() const { return m_bVisited ? kVisitedColour : kLinkColour; }

  // Opens the address through the shell; the link counts as visited once
  // the shell took it. Only web and mail addresses are opened: an address
  // comes partly from settings anyone can write, and the shell would run a
  // program named there. False (and nothing opened) otherwise.
  bool Follow();
  static bool IsWebOrMailAddress(const std::string& sAddress);

 private:
  std::string m_sAddress;
  std::string m_sText;
  bool m_bVisited = false;
};
