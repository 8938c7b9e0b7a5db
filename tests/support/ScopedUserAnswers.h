// Collects the messages shown to the user while it lives, answering OK.
#pragma once

#include <string>
#include <vector>

#include "common/ui/UserMessage.h"

namespace test {

class ScopedUserAnswers {
 public:
  ScopedUserAnswers()
      : m_previous(UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned) {
          m_shown.push_back(text);
          return static_cast<int>(UserMessage::kIdOk);
        })) {}
  ~ScopedUserAnswers() { UserMessage::SetHandler(m_previous); }
  ScopedUserAnswers(const ScopedUserAnswers&) = delete;
  ScopedUserAnswers& operator=(const ScopedUserAnswers&) = delete;

  const std::vector<std::string>& Shown() const { return m_shown; }

 private:
  std::vector<std::string> m_shown;
  UserMessage::Handler m_previous;
};

}  // namespace test
