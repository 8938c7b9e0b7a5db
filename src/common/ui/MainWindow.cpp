#include "common/ui/MainWindow.h"

namespace MainWindow {
namespace {

std::function<void()>& Requester() {
  static std::function<void()> requester;
  return requester;
}

}  // namespace

void PostClose() {
  if (Requester()) Requester()();
}

void SetCloseRequester(std::function<void()> requester) { Requester() = std::move(requester); }

}  // namespace MainWindow
