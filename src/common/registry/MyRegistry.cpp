#include "common/registry/MyRegistry.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/SystemApi.h"

namespace {

constexpr std::uint32_t kNameBufferSize = 261;  // 260 characters and the terminator

void ReseedRandom() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

// The API failure message (string 10020) for a registry call's own result.
// The text is looked up first: a failed lookup logs a line of its own.
#define LOG_API_FAILURE(subject, error)                                                  \
  do {                                                                                   \
    const long lnError_ = (error);                                                       \
    const std::string sErrorText_ = Generic::GetErrorText(static_cast<DWord>(lnError_)); \
    LOG_ST(10020, (subject), lnError_, sErrorText_);                                     \
  } while (0)

// The failure line of a checked step for a registry call. Registry calls
// return their error instead of setting the last system error, so it is
// set here for the line (and for the caller) to name the real cause.
void LogFailedRegistryStep(const char* file, int line, const char* expression, long error) {
  SystemApi::SetLastError(static_cast<DWord>(error));
  ErrorCheck::LogFailedCall(file, line, expression);
}

// REG_DWORD data is little-endian whatever the host.
void PutDWord(DWord value, std::uint8_t (&bytes)[4]) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
DWord GetDWord(const std::uint8_t (&bytes)[4]) {
  DWord value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<DWord>(bytes[i]) << (8 * i);
  return value;
}

}  // namespace

MyRegistry::MyRegistry() { ReseedRandom(); }

MyRegistry::MyRegistry(Registry::Handle root, const std::string& subKey, bool bCreate)
    : m_hRootKey(root), m_sSubKey(subKey) {
  ReseedRandom();
  HResult hRes = kSOk;
  const bool bReturn = Open(m_hRootKey, m_sSubKey, bCreate);
  EC_B(hRes, bReturn);
  if (Failed(hRes)) {
    EC_VAR("Open(m_hRootKey, m_sSubKey, bCreate)", "%s");
    EC_VAR(m_hRootKey, "%x");
    EC_VAR(m_sSubKey, "%s");
    EC_VAR(bCreate, "%d");
  }
}

MyRegistry::~MyRegistry() {
  if (m_hRootKey) {
    HResult hRes = kSOk;
    EC_B(hRes, Close());
  }
}

bool MyRegistry::Open(Registry::Handle root, const std::string& subKey, bool bCreate) {
  // A reused object drops the key it still holds rather than leak it.
  if (m_hSubKey) Registry::CurrentStore().CloseKey(m_hSubKey);
  m_hRootKey = root;
  m_sSubKey = subKey;
  m_hSubKey = 0;

  Registry::Store& store = Registry::CurrentStore();
  Registry::Handle hKey = 0;
  const long lnReturn = bCreate
                            ? store.CreateKey(m_hRootKey, m_sSubKey, "MyClass", Registry::kAllAccess, hKey)
                            : store.OpenKey(m_hRootKey, m_sSubKey, Registry::kAllAccess, hKey);
  if (lnReturn == WinError::kSuccess) {
    m_hSubKey = hKey;
    return true;
  }
  // Left for the caller's own checked step to report.
  SystemApi::SetLastError(static_cast<DWord>(lnReturn));
  // Optional keys are opened all the time: a missing one is not news.
  if (bCreate || lnReturn != WinError::kFileNotFound) {
    LOG_API_FAILURE((bCreate ? "::RegCreateKeyEx: " : "::RegOpenKeyEx: ") + m_sSubKey, lnReturn);
  }
  return false;
}

bool MyRegistry::Close() {
  bool bResult = true;
  if (m_hSubKey) {
    const long lnReturn = Registry::CurrentStore().CloseKey(m_hSubKey);
    if (lnReturn != WinError::kSuccess) {
      LogFailedRegistryStep(__FILE__, __LINE__, "ERROR_SUCCESS == (lnReturn = ::RegCloseKey(m_hSubKey))",
                            lnReturn);
      EC_VAR(m_sSubKey, "%s");
      EC_VAR(lnReturn, "%x");
      bResult = false;
    }
  }
  m_hRootKey = 0;
  m_hSubKey = 0;
  m_sSubKey.clear();
  return bResult;
}

long MyRegistry::QueryChecked(const std::string& name, std::uint8_t* data, DWord& size) {
  if (!IsOpen()) {
    LOG_ST(10022, name);
    return WinError::kInvalidHandle;
  }
  DWord dwType = 0;
  const long lnReturn = Registry::CurrentStore().QueryValue(m_hSubKey, name, &dwType, data, &size);
  if (lnReturn != WinError::kSuccess && lnReturn != WinError::kFileNotFound) {
    LOG_API_FAILURE("::RegQueryValueEx: " + name, lnReturn);
  }
  return lnReturn;
}

bool MyRegistry::ReadWhole(const std::string& name, const char* dataReadExpression,
                           std::vector<std::uint8_t>& data, DWord* pType) {
  DWord dwDataSize = 0;
  if (QueryChecked(name, nullptr, dwDataSize) != WinError::kSuccess) return false;
  // One spare byte keeps the buffer valid (and terminated) for an empty value.
  std::vector<std::uint8_t> buffer(dwDataSize + 1, 0);
  DWord dwType = 0;
  const long lnReturn =
      Registry::CurrentStore().QueryValue(m_hSubKey, name, &dwType, buffer.data(), &dwDataSize);
  if (lnReturn != WinError::kSuccess) {
    LogFailedRegistryStep(__FILE__, __LINE__, dataReadExpression, lnReturn);
    if (lnReturn != WinError::kFileNotFound) LOG_API_FAILURE("::RegQueryValueEx: " + name, lnReturn);
    return false;
  }
  buffer.resize(dwDataSize);
  data.swap(buffer);
  if (pType) *pType = dwType;
  return true;
}

bool MyRegistry::ReadValueString(const std::string& name, std::string& value) {
  DWord dwType = 0;
  return ReadValueString(name, value, dwType);
}

bool MyRegistry::ReadValueString(const std::string& name, std::string& value, DWord& type) {
  std::vector<std::uint8_t> data;
  if (!ReadWhole(
          name,
          "ERROR_SUCCESS == (lnReturn = ::RegQueryValueEx( m_hSubKey, sValueName, NULL, &dwType, pData, "
          "&dwDataSize))",
          data, &type)) {
    return false;
  }
  const auto* text = reinterpret_cast<const char*>(data.data());
  value.assign(text, strnlen(text, data.size()));
  return true;
}

bool MyRegistry::ProbeValue(const std::string& name) {
  std::vector<std::uint8_t> scratch;
  return ReadWhole(
      name,
      "ERROR_SUCCESS == (lnReturn = ::RegQueryValueEx( m_hSubKey, sValueName, NULL, &dwType, pbyData, "
      "&dwDataSize))",
      scratch);
}

bool MyRegistry::ReadValueDWord(const std::string& name, DWord& value) {
  // A shorter value replaces only its own bytes, as a read straight into the
  // variable would.
  std::uint8_t bytes[4];
  PutDWord(value, bytes);
  DWord size = sizeof bytes;
  if (QueryChecked(name, bytes, size) != WinError::kSuccess) return false;
  value = GetDWord(bytes);
  return true;
}

bool MyRegistry::ReadValueInt(const std::string& name, int& value) {
  DWord dw = static_cast<DWord>(value);
  if (!ReadValueDWord(name, dw)) return false;
  value = static_cast<int>(dw);
  return true;
}

bool MyRegistry::ReadValueBool(const std::string& name, bool& value) {
  DWord dw = value ? 1 : 0;
  const bool bRead = ReadValueDWord(name, dw);
  value = dw != 0;
  return bRead;
}

bool MyRegistry::ReadValueBinary(const std::string& name, std::uint8_t* buffer, DWord& size) {
  return QueryChecked(name, buffer, size) == WinError::kSuccess;
}

bool MyRegistry::SaveValue(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                           DWord size) {
  if (!IsOpen()) {
    LOG_ST(10022, name);
    return false;
  }
  const long lnReturn = Registry::CurrentStore().SetValue(m_hSubKey, name, type, data, size);
  if (lnReturn != WinError::kSuccess) {
    LOG_API_FAILURE("::RegSetValueEx: " + name, lnReturn);
    return false;
  }
  return true;
}

bool MyRegistry::SaveValueString(const std::string& name, const std::string& value) {
  return SaveValue(name, Registry::kSz, reinterpret_cast<const std::uint8_t*>(value.c_str()),
                   static_cast<DWord>(value.size() + 1));
}

bool MyRegistry::SaveValueString(const std::string& name, const std::string& value, DWord type) {
  return SaveValue(name, type, reinterpret_cast<const std::uint8_t*>(value.c_str()),
                   static_cast<DWord>(value.size() + 1));
}

bool MyRegistry::SaveValueDWord(const std::string& name, DWord value) {
  std::uint8_t bytes[4];
  PutDWord(value, bytes);
  return SaveValue(name, Registry::kDWord, bytes, sizeof bytes);
}

bool MyRegistry::SaveValueInt(const std::string& name, int value) {
  return SaveValueDWord(name, static_cast<DWord>(value));
}

bool MyRegistry::SaveValueBool(const std::string& name, bool value) {
  return SaveValueDWord(name, value ? 1 : 0);
}

bool MyRegistry::SaveValueBinary(const std::string& name, const std::uint8_t* data, DWord size) {
  return SaveValue(name, Registry::kBinary, data, size);
}

bool MyRegistry::EnumSubKeys(std::list<std::string>& subKeys) {
  if (!IsOpen()) {
    LOGE("RegEnumKeyEx: Registry not open!\n");
    return false;
  }
  Registry::Store& store = Registry::CurrentStore();
  for (std::uint32_t index = 0;; ++index) {
    char szName[kNameBufferSize] = {};
    std::uint32_t size = kNameBufferSize;
    const long lnReturn = store.EnumKey(m_hSubKey, index, szName, &size);
    const int nIndex = static_cast<int>(index);
    switch (lnReturn) {
      case WinError::kSuccess: break;
      case WinError::kEaListInconsistent:
        LOGW("RegEnumKeyEx: Error ERROR_EA_LIST_INCONSISTENT for subkey <%d> ignored.\n", nIndex);
        break;
      case WinError::kNoMoreItems: return true;
      case WinError::kMoreData:
        LOGE("RegEnumKeyEx: Error <%d> for subkey <%d>: buffer too small.\n", lnReturn, nIndex);
        return false;
      default: LOGE("RegEnumKeyEx: Error <%d> for subkey <%d>.\n", lnReturn, nIndex); return false;
    }
    subKeys.emplace_back(szName, strnlen(szName, sizeof szName));
  }
}

bool MyRegistry::EnumValues(std::list<std::string>& names, std::vector<DWord>& types) {
  if (!IsOpen()) {
    LOG_ST(10022, "MyRegistry::EnumValues");
    return false;
  }
  Registry::Store& store = Registry::CurrentStore();
  for (std::uint32_t index = 0;; ++index) {
    char szName[kNameBufferSize] = {};
    std::uint32_t size = kNameBufferSize;
    std::uint32_t type = Registry::kNone;
    const long lnReturn = store.EnumValue(m_hSubKey, index, szName, &size, &type);
    if (lnReturn != WinError::kSuccess) return lnReturn == WinError::kNoMoreItems;
    names.emplace_back(szName, strnlen(szName, sizeof szName));
    if (types.size() <= index) types.resize(index + 1);
    types[index] = type;
  }
}

bool MyRegistry::DeleteKey(const std::string& name) {
  return RecursiveDelete(m_hSubKey, name) == WinError::kSuccess;
}

long MyRegistry::RecursiveDelete(Registry::Handle parent, const std::string& name) {
  Registry::Store& store = Registry::CurrentStore();
  Registry::Handle hKey = 0;
  long lnReturn = store.OpenKey(parent, name, Registry::kDeleteEnumerate, hKey);
  if (lnReturn != WinError::kSuccess) return lnReturn;

  // Always index 0: each child is gone once deleted.
  for (;;) {
    char szChild[kNameBufferSize] = {};
    std::uint32_t size = kNameBufferSize;
    lnReturn = store.EnumKey(hKey, 0, szChild, &size);
    if (lnReturn == WinError::kNoMoreItems) break;
    if (lnReturn != WinError::kSuccess) {
      LOG_API_FAILURE("::RegEnumKeyEx: " + name, lnReturn);
      store.CloseKey(hKey);
      return lnReturn;
    }
    lnReturn = RecursiveDelete(hKey, std::string(szChild, strnlen(szChild, sizeof szChild)));
    if (lnReturn != WinError::kSuccess) {
      // The delete below then fails on the remaining child and says so.
      LOG_API_FAILURE("MyRegistry::RecursiveDelete: " + name, lnReturn);
      break;
    }
  }

  lnReturn = store.CloseKey(hKey);
  if (lnReturn != WinError::kSuccess) {
    LOG_API_FAILURE("::RegCloseKey: " + name, lnReturn);
    return lnReturn;
  }
  lnReturn = store.DeleteKey(parent, name);
  if (lnReturn != WinError::kSuccess) LOG_API_FAILURE("::RegDeleteKey: " + name, lnReturn);
  return lnReturn;
}

bool MyRegistry::TestOpen(Registry::Handle root, const std::string& subKey, long& error) {
  Registry::Store& store = Registry::CurrentStore();
  Registry::Handle hKey = 0;
  error = store.OpenKey(root, subKey, Registry::kAllAccess, hKey);
  if (error != WinError::kSuccess) return false;
  store.CloseKey(hKey);
  return true;
}
