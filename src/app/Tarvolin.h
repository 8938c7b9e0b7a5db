// The application object: start-up checks, factory reset and the choice
// between the silent output mode and the interactive program.
#pragma once

#include <list>
#include <string>

#include "common/MyApp.h"
#include "common/Types.h"

class CTarvolinApp : public MyApp {
 public:
  static constexpr unsigned IDR_MAINFRAME = 128;

  // `logFileName` is placed beside the executable unless it is a full path.
  explicit CTarvolinApp(const std::string& logFileName = "_Tarvolin.log");
  ~CTarvolinApp() override;

  // Runs the whole program; always false, so no message loop follows.
  bool InitInstance() override;

  // The BHO sub-keys found by the last start-up, in enumeration order.
  const std::list<std::string>& GetFoundBHOs() const { return m_slBHOs; }

 private:
  bool CheckRegistryRights();
  void HonourFactoryReset();
  void ListBHOs();

  std::string m_sProfileCompany;
  std::list<std::string> m_slBHOs;
};
