// Registry keys the whole program shares.
#pragma once

// Under HKEY_LOCAL_MACHINE: one sub-key per registered Browser Helper Object.
constexpr const char* REGKEY_BHO =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
// Under HKEY_CURRENT_USER: the add-on manager's per-CLSID settings (XP SP2).
constexpr const char* REGKEY_BHO_DISABLED = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings";
// Under HKEY_CURRENT_USER: Internet Explorer's add-on load statistics.
constexpr const char* REGKEY_BHO_STATS = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats";

// Under HKEY_CURRENT_USER: the program's own settings.
constexpr const char* REGKEY_COMPANY = "Software\\Kestrove";
constexpr const char* REGKEY_PROGRAM_NAME = "Tarvolin 2.0";
constexpr const char* REGKEY_PROGRAM = "Software\\Kestrove\\Tarvolin 2.0";
constexpr const char* REGKEY_PLACEMENTS = "Software\\Kestrove\\Tarvolin 2.0\\Placements";
