#include "common/registry/MemoryRegistryStore.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/base/Types.h"

namespace Registry {
namespace {

constexpr long kBadPathName = 161;  // ERROR_BAD_PATHNAME
constexpr long kNoAccess = 998;     // ERROR_NOACCESS

constexpr std::uint32_t kQueryValue = 0x0001;
constexpr std::uint32_t kSetValue = 0x0002;
constexpr std::uint32_t kCreateSubKey = 0x0004;
constexpr std::uint32_t kEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kDelete = 0x10000;
constexpr std::uint32_t kWow64Views = 0x0300;  // KEY_WOW64_64KEY | KEY_WOW64_32KEY
constexpr std::uint32_t kMaximumAllowed = 0x02000000;
constexpr std::uint32_t kEveryRight = 0xFFFFFFFFu;

constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

// Code page 1252 bytes 0x80-0x9F as Unicode; the rest of the page is Latin-1.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t LowerCase(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 32);
  switch (c) {
    case 0x0152: return 0x0153;
    case 0x0160: return 0x0161;
    case 0x0178: return 0x00FF;
    case 0x017D: return 0x017E;
    default: return c;
  }
}

// The registry compares names as lower-cased Unicode; this is the key by
// which names are found and ordered.
std::u16string FoldName(const std::string& name) {
  std::u16string folded;
  folded.reserve(name.size());
  for (const char ch : name) {
    const unsigned char c = static_cast<unsigned char>(ch);
    const char16_t wide = (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
    folded.push_back(LowerCase(wide));
  }
  return folded;
}

// Copies a name and its terminator into a caller's buffer of `*nameSize`
// characters; the size returned is the length without the terminator.
long CopyName(const std::string& source, char* name, std::uint32_t* nameSize) {
  if (!name || !nameSize) return WinError::kInvalidParameter;
  if (source.size() + 1 > *nameSize) return WinError::kMoreData;
  std::memcpy(name, source.c_str(), source.size() + 1);
  *nameSize = static_cast<std::uint32_t>(source.size());
  return WinError::kSuccess;
}

}  // namespace

struct MemoryRegistryStore::Node {
  struct Value {
    std::string name;
    std::u16string folded;
    std::uint32_t type = kNone;
    std::vector<std::uint8_t> data;
  };

  std::string name;
  std::u16string folded;
  std::string className;
  Node* parent = nullptr;                       // null for a root and for a deleted key
  std::vector<std::shared_ptr<Node>> children;  // ordered by folded name
  std::vector<Value> values;                    // ordered by folded name
  std::uint32_t allowed = kEveryRight;
  bool deleted = false;
  bool pinned = false;  // part of the registry's own structure

  // Where a name is or belongs, in the ordered children or values.
  std::vector<std::shared_ptr<Node>>::iterator ChildSlot(const std::u16string& key) {
    return std::lower_bound(
        children.begin(), children.end(), key,
        [](const std::shared_ptr<Node>& child, const std::u16string& k) { return child->folded < k; });
  }
  std::vector<Value>::iterator ValueSlot(const std::u16string& key) {
    return std::lower_bound(values.begin(), values.end(), key,
                            [](const Value& value, const std::u16string& k) { return value.folded < k; });
  }

  std::uint32_t EffectiveRights() const {
    std::uint32_t rights = allowed;
    for (const Node* p = parent; p; p = p->parent) rights &= p->allowed;
    return rights;
  }
};

MemoryRegistryStore::MemoryRegistryStore()
    : m_pCurrentUser(std::make_shared<Node>()), m_pLocalMachine(std::make_shared<Node>()) {
  auto software = std::make_shared<Node>();
  software->name = "Software";
  software->folded = FoldName(software->name);
  software->parent = m_pLocalMachine.get();
  software->pinned = true;
  m_pLocalMachine->children.push_back(software);
  m_pClassesRoot = std::make_shared<Node>();
  m_pClassesRoot->name = "Classes";
  m_pClassesRoot->folded = FoldName(m_pClassesRoot->name);
  m_pClassesRoot->parent = software.get();
  m_pClassesRoot->pinned = true;
  software->children.push_back(m_pClassesRoot);
}

MemoryRegistryStore::~MemoryRegistryStore() = default;

long MemoryRegistryStore::ResolveHandle(Handle key, std::uint32_t required,
                                        std::shared_ptr<Node>& node) const {
  std::uint32_t access = 0;
  switch (key) {
    case kClassesRoot: node = m_pClassesRoot; break;
    case kCurrentUser: node = m_pCurrentUser; break;
    case kLocalMachine: node = m_pLocalMachine; break;
    default: {
      const auto it = m_mapHandles.find(key);
      if (it == m_mapHandles.end()) return WinError::kInvalidHandle;
      node = it->second.node;
      access = it->second.access;
    }
  }
  if (node->deleted) return WinError::kKeyDeleted;
  // The predefined roots are opened with the most the caller may have.
  if (key == kClassesRoot || key == kCurrentUser || key == kLocalMachine) access = node->EffectiveRights();
  if ((access & required) != required) return WinError::kAccessDenied;
  return WinError::kSuccess;
}

long MemoryRegistryStore::Walk(std::shared_ptr<Node> from, const std::string& path, Walking mode,
                               std::shared_ptr<Node>& found) {
  if (!path.empty() && path[0] == '\\') return kBadPathName;
  std::shared_ptr<Node> node = std::move(from);
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string level = path.substr(start, end - start);
    start = end + 1;
    if (level.empty()) continue;

    const std::u16string folded = FoldName(level);
    const auto it = node->ChildSlot(folded);
    if (it != node->children.end() && (*it)->folded == folded) {
      node = *it;
      continue;
    }
    if (mode == Walking::Open) return WinError::kFileNotFound;
    if (level.size() > kMaxKeyNameLength) return WinError::kInvalidParameter;
    if (mode == Walking::Create && !(node->EffectiveRights() & kCreateSubKey)) return WinError::kAccessDenied;
    auto child = std::make_shared<Node>();
    child->name = level;
    child->folded = folded;
    child->parent = node.get();
    node->children.insert(it, child);
    node = std::move(child);
  }
  found = std::move(node);
  return WinError::kSuccess;
}

Handle MemoryRegistryStore::AddHandle(const std::shared_ptr<Node>& node, std::uint32_t access) {
  const Handle handle = m_hNext;
  m_hNext += 4;
  m_mapHandles[handle] = OpenKeyEntry{node, access};
  return handle;
}

namespace {

// The rights a request asks for, checked against what the key allows.
long GrantedRights(std::uint32_t requested, std::uint32_t allowed, std::uint32_t& granted) {
  std::uint32_t wanted = requested & ~kWow64Views;
  if (wanted & kMaximumAllowed) wanted = (wanted & ~kMaximumAllowed) | allowed;
  if (wanted & ~allowed) return WinError::kAccessDenied;
  granted = wanted;
  return WinError::kSuccess;
}

}  // namespace

long MemoryRegistryStore::OpenKey(Handle parent, const std::string& path, std::uint32_t access, Handle& key) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> from, node;
  long result = ResolveHandle(parent, 0, from);
  if (result == WinError::kSuccess) result = Walk(from, path, Walking::Open, node);
  std::uint32_t granted = 0;
  if (result == WinError::kSuccess) result = GrantedRights(access, node->EffectiveRights(), granted);
  if (result != WinError::kSuccess) return result;
  key = AddHandle(node, granted);
  return WinError::kSuccess;
}

long MemoryRegistryStore::CreateKey(Handle parent, const std::string& path, const std::string& className,
                                    std::uint32_t access, Handle& key) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> from, node;
  long result = ResolveHandle(parent, 0, from);
  if (result == WinError::kSuccess) {
    // Rights are checked before anything is created, so a denied key is
    // left as it was.
    std::shared_ptr<Node> existing;
    const long opened = Walk(from, path, Walking::Open, existing);
    if (opened == WinError::kSuccess) {
      node = existing;
    } else if (opened == WinError::kFileNotFound) {
      result = Walk(from, path, Walking::Create, node);
      if (result == WinError::kSuccess) node->className = className;
    } else {
      result = opened;
    }
  }
  std::uint32_t granted = 0;
  if (result == WinError::kSuccess) result = GrantedRights(access, node->EffectiveRights(), granted);
  if (result != WinError::kSuccess) return result;
  key = AddHandle(node, granted);
  return WinError::kSuccess;
}

long MemoryRegistryStore::CloseKey(Handle key) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (key == kClassesRoot || key == kCurrentUser || key == kLocalMachine) return WinError::kSuccess;
  return m_mapHandles.erase(key) ? WinError::kSuccess : WinError::kInvalidHandle;
}

long MemoryRegistryStore::QueryValue(Handle key, const std::string& name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> node;
  const long result = ResolveHandle(key, kQueryValue, node);
  if (result != WinError::kSuccess) return result;
  if (data && !size) return WinError::kInvalidParameter;
  const std::u16string folded = FoldName(name);
  const auto it = node->ValueSlot(folded);
  if (it == node->values.end() || it->folded != folded) return WinError::kFileNotFound;
  if (type) *type = it->type;
  const auto stored = static_cast<std::uint32_t>(it->data.size());
  if (data) {
    if (*size < stored) {
      *size = stored;
      return WinError::kMoreData;
    }
    if (stored) std::memcpy(data, it->data.data(), stored);
  }
  if (size) *size = stored;
  return WinError::kSuccess;
}

long MemoryRegistryStore::SetValue(Handle key, const std::string& name, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> node;
  const long result = ResolveHandle(key, kSetValue, node);
  if (result != WinError::kSuccess) return result;
  if (name.size() > kMaxValueNameLength) return WinError::kInvalidParameter;
  if (!data && size) return kNoAccess;
  const std::u16string folded = FoldName(name);
  auto it = node->ValueSlot(folded);
  if (it == node->values.end() || it->folded != folded) {
    it = node->values.insert(it, Node::Value{});
    it->name = name;
    it->folded = folded;
  }
  it->type = type;
  if (size) {
    it->data.assign(data, data + size);
  } else {
    it->data.clear();
  }
  return WinError::kSuccess;
}

long MemoryRegistryStore::EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> node;
  const long result = ResolveHandle(key, kEnumerateSubKeys, node);
  if (result != WinError::kSuccess) return result;
  if (index >= node->children.size()) return WinError::kNoMoreItems;
  return CopyName(node->children[index]->name, name, nameSize);
}

long MemoryRegistryStore::EnumValue(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                                    std::uint32_t* type) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> node;
  const long result = ResolveHandle(key, kQueryValue, node);
  if (result != WinError::kSuccess) return result;
  if (index >= node->values.size()) return WinError::kNoMoreItems;
  const Node::Value& value = node->values[index];
  const long copied = CopyName(value.name, name, nameSize);
  if (copied == WinError::kSuccess && type) *type = value.type;
  return copied;
}

long MemoryRegistryStore::DeleteKey(Handle parent, const std::string& name) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> from, node;
  long result = ResolveHandle(parent, 0, from);
  if (result == WinError::kSuccess) result = Walk(from, name, Walking::Open, node);
  if (result != WinError::kSuccess) return result;
  if (!node->parent || node->pinned || !node->children.empty() || !(node->EffectiveRights() & kDelete)) {
    return WinError::kAccessDenied;
  }
  auto& siblings = node->parent->children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), node));
  node->parent = nullptr;
  node->deleted = true;
  return WinError::kSuccess;
}

long MemoryRegistryStore::SetAllowed(Handle root, const std::string& path, std::uint32_t allowed) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::shared_ptr<Node> from, node;
  long result = ResolveHandle(root, 0, from);
  if (result == WinError::kSuccess) result = Walk(from, path, Walking::CreateIgnoringRights, node);
  if (result != WinError::kSuccess) return result;
  node->allowed = allowed;
  return WinError::kSuccess;
}

long MemoryRegistryStore::DenyAccess(Handle root, const std::string& path) {
  return SetAllowed(root, path, kRead);
}

long MemoryRegistryStore::AllowAccess(Handle root, const std::string& path) {
  return SetAllowed(root, path, kEveryRight);
}

std::size_t MemoryRegistryStore::OpenHandleCount() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_mapHandles.size();
}

}  // namespace Registry
