#include "common/ui/UserMessage.h"

#include <cstdio>

#include "common/ui/UserMessagePlatform.h"

namespace UserMessage {
namespace {

Handler g_handler;
bool g_bNonInteractive = false;

}  // namespace

int Show(const std::string& text, unsigned style, const std::string& caption) {
  if (g_handler) return g_handler(text, caption, style);
  if (g_bNonInteractive || !PlatformHasDesktop()) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    return kIdOk;
  }
  return PlatformShow(text, caption, style);
}

Handler SetHandler(Handler handler) {
  Handler old = std::move(g_handler);
  g_handler = std::move(handler);
  return old;
}

void SetNonInteractive(bool nonInteractive) { g_bNonInteractive = nonInteractive; }
bool IsNonInteractive() { return g_bNonInteractive || !PlatformHasDesktop(); }

}  // namespace UserMessage
