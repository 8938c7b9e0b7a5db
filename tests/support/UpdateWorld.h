// The world of a check for updates: a program directory whose "Tarvolin.exe"
// is a PE file of version 2.0.0.23, the three list files and their objects,
// a real HTTP server on 127.0.0.1 as the maker's server (folder "files") and
// the HTML list's site (folder "site"), and stand-ins that record every box
// shown (answering as told), every progress text and every page opened in
// the browser.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/ui/MyMessageBox.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "support/BhoWorld.h"
#include "support/LocalServer.h"

namespace test {

class UpdateWorld {
 public:
  // `programImage`: a PE file of version 2.0.0.23 to stand as the program
  // (test::TestDll("english.dll"); "" when the build has none).
  explicit UpdateWorld(const std::string& programImage);
  ~UpdateWorld();
  UpdateWorld(const UpdateWorld&) = delete;
  UpdateWorld& operator=(const UpdateWorld&) = delete;

  // Empty when the world cannot be made here (no python3, zip or test
  // DLLs): the reason to skip.
  const std::string& Missing() const { return m_sMissing; }

  // Puts a file on the server ("files\\x": the maker's folder, "site\\x":
  // the HTML list's site), with its ".size" companion.
  void Serve(const std::string& name, const std::string& bytes);
  void ServeWithSize(const std::string& name, const std::string& bytes);
  void ServePud(const std::string& page) { ServeWithSize("files\\Tarvolin2PUD.html", page); }
  // The maker's list as the zip the server offers.
  void ServeMakersList(const std::string& ini);
  std::string Url(const std::string& path) const { return m_server->Url(path); }
  std::string RequestLog() const { return m_server->RequestLog(); }

  std::string Local(const std::string& name) const { return world.File(name); }
  std::string Log() { return world.Log().Messages(); }

  // Program settings; ReadSetting gives "<absent>" for a missing value.
  void Set(const std::string& name, const std::string& value);
  std::string ReadSetting(const std::string& name);

  struct Box {  // a MyMessageBox shown
    std::string valueName;
    std::string text;
    unsigned captionId;
    unsigned style;
  };
  struct Message {  // a plain message shown
    std::string text;
    unsigned style;
  };
  std::vector<Box> boxes;
  std::vector<Message> messages;
  std::vector<std::string> progress;                        // every text of every progress window
  std::vector<std::pair<std::string, std::string>> opened;  // browser: file or address, folder

  int nBoxAnswer = UserMessage::kIdOk;
  std::intptr_t nShellResult = 42;

  BhoWorld world;

 private:
  std::string m_sMissing;
  TempDir m_served;
  TempDir m_work;
  std::unique_ptr<LocalServer> m_server;
  UserMessage::Handler m_previousHandler;
  MyMessageBox::Presenter m_previousPresenter;
  Shell::Opener m_previousOpener;
  ProgressWindow::Factory m_previousFactory;
};

}  // namespace test
