#include "common/base/SystemApi.h"

namespace SystemApi {
namespace {

VersionProvider& Override() {
  static VersionProvider provider;
  return provider;
}

}  // namespace

bool GetVersionInfo(OsVersion& version) {
  const VersionProvider& provider = Override();
  return provider ? provider(version) : GetSystemVersionInfo(version);
}

VersionProvider SetVersionInfoOverride(VersionProvider provider) {
  VersionProvider previous = std::move(Override());
  Override() = std::move(provider);
  return previous;
}

}  // namespace SystemApi
