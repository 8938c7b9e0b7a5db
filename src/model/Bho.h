// The program's record of one Browser Helper Object: a map of text
// attributes loaded from the registry, the DLL file, Internet Explorer's
// statistics and the known-BHO lists.
#pragma once

#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

#include "common/base/Types.h"
#include "model/AttrMap.h"

class CGridCtrl;

class BHO {
 public:
  explicit BHO(const std::string& sClsid);
  virtual ~BHO();

  HResult LoadBHOAttrs();

  // Fills the main grid with one row per registered BHO, each row owning
  // its loaded record.
  static HResult PopulateMainGrid(CGridCtrl& grid);

  bool IsUnknown() const;
  bool IsInvestigating() const;
  bool IsDisabledClassicWay() const;
  bool IsDisabledSP2Way() const;
  std::string GetName() const;

  // Cut a disabling program's mark off a DLL path; true when one was found.
  static bool RemoveWart(std::string& sPath);
  static bool RemoveSpyBotWart(std::string& sPath);

  // Switching the BHO off and on: the classic method marks the DLL path
  // registered for the class, the SP2 method writes the add-on manager's
  // setting. Each suspends the registry watch while it writes.
  HResult ChangeStateClassic(bool bEnable) const;
  HResult ChangeStateSP2(bool bEnable, bool bSilent) const;
  // Undoes a classic disable without any message.
  HResult StripStateClassic() const;
  // A BHO disabled the classic way becomes one disabled the SP2 way.
  HResult ConvertIfDisabledToSP2Way() const;
  // Appends a new disable mark: TARVOLIN_WART, "_" and 16 to 32 capitals.
  static void AddWart(std::string& sPath);

  // The readable report of this record (CR LF text).
  HResult SaveToFile(const std::string& sSavePath) const;
  // The same report with every text it takes from outside (the path in its
  // header, the attribute values, the notation) passed through `rewrite`
  // first: the uploaded copy hides the user's folder this way.
  using TextRewrite = std::function<std::string(const std::string&)>;
  HResult SaveToFile(const std::string& sSavePath, const TextRewrite& rewrite) const;

  // The per-DLL data in the program INI file.
  HResult SetReportedFlag(bool bReported) const;
  HResult DeleteFromRegistry() const;

  // Writes the readable words of the DLL file beside the executable and
  // opens them in the user's text viewer.
  void ViewText() const;

  // Appends the readable words of an open file to `sUserReadable`.
  static HResult _ViewTextParse(std::FILE* filIn, std::string& sUserReadable);

  AttrMap m_mapAttrVals;
  int m_nImageListIndex = -1;

 private:
  void _AlertIfStupidBHO(const std::string& sClsid, const std::string& sDllPath) const;
  void LoadStatistics(const std::string& sClsid);
  void LoadFileAttrs(const std::string& sDllPath, HResult& hr);
};

// Mark the program appends to a DLL path when it disables a BHO classically.
constexpr const char* TARVOLIN_WART = "__TarvolinDisabled";
// The note key the classic method leaves beside the BHO's entry.
constexpr const char* README_MESSAGE = "ReadMe-Tarvolin";
// Mark Spybot - Search & Destroy appends.
constexpr const char* SPYBOT_WART = "__SpybotSDDisabled";
// The details dialog's prompt, which readers treat as no note.
constexpr const char* NOTATION_PROMPT =
    "Enter your notation about this BHO here.  Especially, in your opinion, is this 'malware' or 'benign'?";
