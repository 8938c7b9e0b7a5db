#include "support/UpdateWorld.h"

#include "common/base/GenericPaths.h"
#include "common/files/GenericFiles.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "support/HostProgram.h"

namespace test {
namespace {

constexpr const char* kZip = "/usr/bin/zip";

// A progress window that hands its texts to the world.
class RecordedProgress : public ProgressWindow {
 public:
  explicit RecordedProgress(std::vector<std::string>& texts) : m_texts(texts) {}
  void SetMessage(const std::string& text) override { m_texts.push_back(text); }

 private:
  std::vector<std::string>& m_texts;
};

}  // namespace

UpdateWorld::UpdateWorld(const std::string& programImage) {
  if (programImage.empty()) {
    m_sMissing = "no test DLLs in this build";
  } else if (!HostFileExists(kZip)) {
    m_sMissing = std::string("no ") + kZip + " to make archives with";
  } else if (!(m_server = LocalServer::StartHttp(m_served.Path()))) {
    m_sMissing = std::string("could not start ") + LocalServer::kPython + " -m http.server";
  }
  m_previousHandler =
      UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned style) {
        messages.push_back({text, style});
        return static_cast<int>(UserMessage::kIdOk);
      });
  m_previousPresenter = MyMessageBox::SetPresenter([this](const MyMessageBox& box, int& nCheckShow) {
    boxes.push_back({box.GetValueName(), box.GetText(), box.GetCaptionId(), box.GetStyle()});
    nCheckShow = 1;
    return nBoxAnswer;
  });
  m_previousOpener = Shell::SetOpener([this](const std::string& file, const std::string& directory) {
    opened.emplace_back(file, directory);
    return nShellResult;
  });
  m_previousFactory = ProgressWindow::SetFactory(
      [this]() -> std::unique_ptr<ProgressWindow> { return std::make_unique<RecordedProgress>(progress); });
  if (!m_sMissing.empty()) return;

  Generic::CreateDirectory(m_served.File("files"));
  Generic::CreateDirectory(m_served.File("site"));
  Set("WebServerURL", m_server->Url(""));
  Set("HtmlListSiteURL", m_server->Url("site/"));
  // The "program" is a PE file of version 2.0.0.23.
  WriteFile(world.File("Tarvolin.exe"), ReadFile(programImage));
  world.WriteMakerList("[General]\r\nTimestamp=on disk\r\n");
  world.WriteTextList("\r\n");
  world.WriteHtmlList("<html>old</html>\r\n");
  world.OpenLists();
}

UpdateWorld::~UpdateWorld() {
  UserMessage::SetHandler(m_previousHandler);
  MyMessageBox::SetPresenter(m_previousPresenter);
  Shell::SetOpener(m_previousOpener);
  ProgressWindow::SetFactory(m_previousFactory);
}

void UpdateWorld::Serve(const std::string& name, const std::string& bytes) {
  WriteFile(m_served.File(name), bytes);
}

void UpdateWorld::ServeWithSize(const std::string& name, const std::string& bytes) {
  Serve(name, bytes);
  Serve(name + ".size", std::to_string(bytes.size()) + "\r\n");
}

void UpdateWorld::ServeMakersList(const std::string& ini) {
  static int s_nZips = 0;
  const std::string archive = "made" + std::to_string(++s_nZips) + ".zip";
  WriteFile(m_work.File("Tarvolin20List.ini"), ini);
  RunHostProgram({kZip, "-q", "-X", archive, "Tarvolin20List.ini"}, m_work.Path());
  ServeWithSize("files\\Tarvolin20List.zip", ReadFile(m_work.File(archive)));
}

void UpdateWorld::Set(const std::string& name, const std::string& value) {
  MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  program.SaveValueString(name, value);
}

std::string UpdateWorld::ReadSetting(const std::string& name) {
  MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  std::string value = "<absent>";
  program.ReadValueString(name, value);
  return value;
}

}  // namespace test
