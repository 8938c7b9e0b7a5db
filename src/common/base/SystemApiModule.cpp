#include "common/base/SystemApi.h"

namespace SystemApi {
namespace {

std::string& ModuleOverride() {
  static std::string path;
  return path;
}

}  // namespace

std::string GetModuleFileName() {
  return ModuleOverride().empty() ? GetSystemModuleFileName() : ModuleOverride();
}

std::string SetModuleFileNameOverride(const std::string& path) {
  std::string previous = ModuleOverride();
  ModuleOverride() = path;
  return previous;
}

}  // namespace SystemApi
