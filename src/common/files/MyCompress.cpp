#include "common/files/MyCompress.h"

#include <unzip.h>

#include <cstdio>

#include "common/base/FileException.h"
#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"

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

class OutputFile {
 public:
  // Creates or truncates the file; a file exception when it cannot.
  explicit OutputFile(const std::string& path) : m_sPath(path), m_pFile(FileSystem::OpenFile(path, "wb")) {
    if (!m_pFile) Throw(static_cast<long>(SystemApi::GetLastError()));
  }
  ~OutputFile() {
    if (m_pFile) std::fclose(m_pFile);
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const char* data, std::size_t size) {
    if (std::fwrite(data, 1, size, m_pFile) != size) Throw(kWriteFault);
  }
  void Close() {
    std::FILE* f = m_pFile;
    m_pFile = nullptr;
    if (std::fclose(f) != 0) Throw(kWriteFault);
  }

 private:
  static constexpr long kWriteFault = 29;  // ERROR_WRITE_FAULT

  [[noreturn]] void Throw(long error) const { throw FileException::FromOsError(error, m_sPath); }

  std::string m_sPath;
  std::FILE* m_pFile;
};

}  // namespace

bool MyCompress::Uncompress(const std::string& sOutputPath, const std::string& sZipPath) {
  ZipArchive archive(sZipPath);
  if (!archive) return false;
  ZipEntry entry(archive);
  if (unzGoToFirstFile(archive.Get()) != UNZ_OK || !entry.Open()) return false;

  OutputFile output(sOutputPath);
  bool bResult = true;
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
    output.Write(buffer, static_cast<std::size_t>(nRead));
  }
  if (entry.Close() != UNZ_OK) bResult = false;
  if (archive.Close() != UNZ_OK) bResult = false;
  output.Close();
  return bResult;
}
