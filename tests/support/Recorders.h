// Small test doubles and assertions shared by the transfer and list tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/ui/ProgressWindow.h"

namespace test {

// Passes when `part` occurs in `text`; shows the whole text otherwise.
inline ::testing::AssertionResult Contains(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "<" << part << "> is not in:\n" << text;
}

// A progress window that keeps the texts and byte counts it was given.
class RecordingProgress : public ProgressWindow {
 public:
  void SetMessage(const std::string& text) override { messages.push_back(text); }
  void SetProgress(std::uint64_t done, std::uint64_t total) override { progress.emplace_back(done, total); }
  std::vector<std::string> messages;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> progress;
};

}  // namespace test
