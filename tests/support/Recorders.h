// Small test doubles and assertions shared by the transfer and list tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ui/ProgressWindow.h"

namespace test {

// Passes when `part` occurs in `text`; shows the whole text otherwise.
inline ::testing::AssertionResult Contains(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "<" << part << "> is not in:\n" << text;
}

// A progress window that keeps the texts it was given.
class RecordingProgress : public ProgressWindow {
 public:
  void SetMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

}  // namespace test
