// The sections and keys of an INI file, found as the system's profile reader
// finds them, so that a lookup costs no scan of the file:
// - every "\r" and every "\n" ends a line (CR LF is a line end and an empty
//   line); blanks around a line,
//   a section name, a key or a value do not count; empty lines are skipped;
// - a line starting with "[" and holding a "]" later on is a section header;
//   the lines before the first header form a section without a name;
// - only the first section of a name counts, and in it the first line of a
//   key, even one without "=" (the key then has no value);
// - names compare without regard to case.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

class IniFileIndex {
 public:
  enum class Lookup { Found, KeyWithoutValue, Missing };

  explicit IniFileIndex(const std::string& bytes);

  // `section` and `key` trimmed as Trim does.
  Lookup Find(const std::string& section, const std::string& key, std::string& value) const;

  // The index of the file as it is now: parsed again only when the file
  // changed since the last call for the same path. Null when the file cannot
  // be read.
  static std::shared_ptr<const IniFileIndex> OfFile(const std::string& fileName);

  // Without the blanks around it, as the profile reader counts them.
  static std::string Trim(const std::string& text);

 private:
  struct Entry {
    bool bHasValue;
    std::string value;
  };
  using Keys = std::unordered_map<std::string, Entry>;  // lower-case key -> its first line

  std::unordered_map<std::string, Keys> m_sections;  // lower-case name -> first section of the name
};
