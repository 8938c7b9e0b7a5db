// Opening a document with the shell's "open" verb (its associated viewer).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace Shell {

// The shell's result: greater than 32 on success.
std::intptr_t OpenDocument(const std::string& file, const std::string& directory);

// Tests stand in for the shell; an empty function restores it. Returns the
// previous one.
using Opener = std::function<std::intptr_t(const std::string& file, const std::string& directory)>;
Opener SetOpener(Opener opener);

// The platform's own opener (win/ and posix/).
std::intptr_t PlatformOpenDocument(const std::string& file, const std::string& directory);

}  // namespace Shell
