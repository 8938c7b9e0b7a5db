// The small wait window shown during downloads, uploads and unzipping. The
// user interface installs a factory for its window; without one (the silent
// output mode, no desktop) progress texts go to standard error.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void SetMessage(const std::string& text) = 0;
  // Bytes moved so far of `total`, where the transfer knows them; standard
  // error shows no bar.
  virtual void SetProgress(std::uint64_t /*done*/, std::uint64_t /*total*/) {}

  using Factory = std::function<std::unique_ptr<ProgressWindow>()>;
  static std::unique_ptr<ProgressWindow> Create();
  // Replaces the factory; returns the previous one (empty = standard error).
  static Factory SetFactory(Factory factory);
};
