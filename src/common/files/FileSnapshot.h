// The content of a file as it is now, read again only when the file may have
// changed. Every refresh opens the file, so a file that has gone or cannot
// be opened is noticed at once; its stamp (FileStamp) then tells whether the
// bytes read last time still hold. A stamp taken within a moment of the
// file's last write proves nothing (another write in the same tick of the
// file system's clock would not change it), so until the file has been
// still for kSettleSeconds it is read and compared on every refresh.
#pragma once

#include <cstdint>
#include <string>

#include "common/files/FileStamp.h"

class FileSnapshot {
 public:
  // Longer than the coarsest clock of a local file system (FAT: 2 s).
  static constexpr std::int64_t kSettleSeconds = 3;

  // `settleTicks`: how long a file must have been still before its stamp is
  // trusted (FileStamp ticks).
  explicit FileSnapshot(std::int64_t settleTicks = kSettleSeconds * FileStamp::kTicksPerSecond)
      : m_settleTicks(settleTicks) {}

  // Makes Content() the file's current content; `bChanged` tells whether it
  // differs from the content the last refresh gave. False when the file
  // cannot be opened or read (the reason in SystemApi::GetLastError()); the
  // content is then empty and the next refresh reads the file again.
  bool Refresh(const std::string& sPath, bool& bChanged);

  const std::string& Content() const { return m_sContent; }

 private:
  void Forget();

  std::int64_t m_settleTicks;
  bool m_bValid = false;
  bool m_bSettled = false;
  std::string m_sPath;
  FileStamp m_stamp;
  std::string m_sContent;
};
