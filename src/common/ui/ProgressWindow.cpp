#include "common/ui/ProgressWindow.h"

#include <cstdio>

namespace {

// Progress without a window: each text once, on standard error.
class ConsoleProgress : public ProgressWindow {
 public:
  void SetMessage(const std::string& text) override {
    std::string line = text;
    for (size_t pos = 0; (pos = line.find("\r\n", pos)) != std::string::npos;) line.replace(pos, 2, " ");
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
  }
};

ProgressWindow::Factory& CurrentFactory() {
  static ProgressWindow::Factory factory;
  return factory;
}

}  // namespace

std::unique_ptr<ProgressWindow> ProgressWindow::Create() {
  if (CurrentFactory()) return CurrentFactory()();
  return std::make_unique<ConsoleProgress>();
}

ProgressWindow::Factory ProgressWindow::SetFactory(Factory factory) {
  Factory old = std::move(CurrentFactory());
  CurrentFactory() = std::move(factory);
  return old;
}
