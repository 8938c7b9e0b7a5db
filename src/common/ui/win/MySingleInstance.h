// One running copy of the program per session: a named mutex, and the
// window class of the main window named after it, by which a second copy
// finds the first and brings it forward.
#pragma once

#include <windows.h>

#include <string>

#include "common/base/Types.h"

class MySingleInstance {
 public:
  MySingleInstance() = default;
  ~MySingleInstance();
  MySingleInstance(const MySingleInstance&) = delete;
  MySingleInstance& operator=(const MySingleInstance&) = delete;

  // Success when this process now holds the guard "<name> Class" (and has
  // registered the window class of that name); failure when another copy
  // holds it, after bringing that copy's window (found by the class, else by
  // the title `name`) to the foreground.
  HResult Create(const std::string& name);
  bool IsHeld() const { return m_hMutex != nullptr; }
  const std::string& GetClassName() const { return m_sClassName; }

 private:
  HANDLE m_hMutex = nullptr;
  std::string m_sClassName;
  bool m_bRegistered = false;
};
