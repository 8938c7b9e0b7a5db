#include "common/files/MyCompress.h"

#include <unzip.h>

#include <cstdint>

#include "common/base/ErrorCheck.h"
#include "common/base/FileException.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"
#include "common/files/StdioFile.h"

namespace {

// The archive is opened through the program's own file primitive, so it is
// named by a program path on every platform; minizip's stdio functions do
// the rest on the stream it returns.
voidpf ZCALLBACK OpenArchive(voidpf /*opaque*/, const char* filename, int mode) {
  if (!filename || (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  return FileSystem::OpenFile(filename, "rb");
}

class ZipArchive {
 public:
  explicit ZipArchive(const std::string& path) {
    zlib_filefunc_def functions;
    fill_fopen_filefunc(&functions);
    functions.zopen_file = OpenArchive;
    m_hZip = unzOpen2(path.c_str(), &functions);
  }
  ~ZipArchive() { Close(); }
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  unzFile Get() const { return m_hZip; }
  explicit operator bool() const { return m_hZip != nullptr; }
  int Close() {
    unzFile hZip = m_hZip;
    m_hZip = nullptr;
    return hZip ? unzClose(hZip) : UNZ_OK;
  }

 private:
  unzFile m_hZip = nullptr;
};

// The archive's current entry while it is open for reading.
class ZipEntry {
 public:
  explicit ZipEntry(const ZipArchive& archive) : m_hZip(archive.Get()) {}
  ~ZipEntry() { Close(); }
  ZipEntry(const ZipEntry&) = delete;
  ZipEntry& operator=(const ZipEntry&) = delete;

  // Only stored and deflated entries open. The reader itself lets other
  // methods through and hands out their packed bytes as they are.
  bool Open() {
    unz_file_info info{};
    if (unzGetCurrentFileInfo(m_hZip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) return false;
    m_bOpen = unzOpenCurrentFile(m_hZip) == UNZ_OK;
    return m_bOpen;
  }
  int Read(char* buffer, unsigned size) { return unzReadCurrentFile(m_hZip, buffer, size); }
  // Whether all of the entry's announced bytes have been read.
  bool AtEnd() const { return unzeof(m_hZip) == 1; }
  // Reports a checksum mismatch once the whole entry has been read.
  int Close() {
    if (!m_bOpen) return UNZ_OK;
    m_bOpen = false;
    return unzCloseCurrentFile(m_hZip);
  }

 private:
  unzFile m_hZip;
  bool m_bOpen = false;
};

// The side file the entry is unpacked into. It is removed again unless
// Commit() moves it into place, so a failed unpack leaves nothing behind.
class SideFile {
 public:
  // Creates or truncates the side file of `outputPath`; a file exception
  // naming the output when it cannot (the folder is the output's).
  explicit SideFile(const std::string& outputPath)
      : m_sOutputPath(outputPath), m_sPath(MyCompress::SidePath(outputPath)) {
    if (!m_file.Open(m_sPath, "wb"))
      throw FileException::FromOsError(static_cast<long>(SystemApi::GetLastError()), m_sOutputPath);
  }
  ~SideFile() {
    if (m_bCommitted) return;
    m_file.Close();
    FileSystem::DeleteFile(m_sPath);
  }
  SideFile(const SideFile&) = delete;
  SideFile& operator=(const SideFile&) = delete;

  bool Write(const char* data, std::size_t size) { return m_file.Write(data, size); }

  // Closes the side file (every byte must have reached the disk) and puts
  // it in the output's place, replacing what was there.
  bool Commit() {
    if (!m_file.Close()) {
      LogFailure("The unpacked file <%s> could not be written completely: error <%d>: <%s>.\n", m_sPath);
      return false;
    }
    if (!FileSystem::MoveFileReplacing(m_sPath, m_sOutputPath)) {
      LogFailure("The unpacked file could not take the place of <%s>: error <%d>: <%s>.\n", m_sOutputPath);
      return false;
    }
    m_bCommitted = true;
    return true;
  }

 private:
  static void LogFailure(const char* format, const std::string& path) {
    const DWord dwError = SystemApi::GetLastError();
    LOGE(format, path, static_cast<int>(dwError), Generic::GetErrorText(dwError));
  }

  std::string m_sOutputPath;
  std::string m_sPath;
  StdioFile m_file;
  bool m_bCommitted = false;
};

}  // namespace

bool MyCompress::Uncompress(const std::string& sOutputPath, const std::string& sZipPath) {
  ZipArchive archive(sZipPath);
  if (!archive) return false;
  ZipEntry entry(archive);
  if (unzGoToFirstFile(archive.Get()) != UNZ_OK || !entry.Open()) return false;

  SideFile output(sOutputPath);
  bool bResult = true;
  std::uint64_t nUnpacked = 0;
  char buffer[16384] = {};
  for (;;) {
    const int nRead = entry.Read(buffer, sizeof buffer);
    if (nRead < 0) {
      bResult = false;
      break;
    }
    if (nRead == 0) {
      // A damaged stream can end before the entry's size is reached; the
      // checksum is only compared once it is, so a short entry counts too.
      if (!entry.AtEnd()) bResult = false;
      break;
    }
    nUnpacked += static_cast<std::uint64_t>(nRead);
    if (nUnpacked > m_nMaxEntrySize) {
      LOGE("The zip archive <%s> unpacks to more than the limit of %s bytes, so it was not unpacked.\n",
           sZipPath, Generic::FormatThousands(static_cast<long long>(m_nMaxEntrySize)));
      bResult = false;
      break;
    }
    if (!output.Write(buffer, static_cast<std::size_t>(nRead))) {
      bResult = false;
      break;
    }
  }
  // The checksum is only known once the whole entry has been read.
  if (entry.Close() != UNZ_OK) bResult = false;
  if (archive.Close() != UNZ_OK) bResult = false;
  return bResult && output.Commit();
}
