// The Windows headers define many function names as macros choosing the A
// or W form (GetComputerName becomes GetComputerNameA). The core declares
// functions of those same names; this header, included after such
// declarations and after <windows.h>, removes the macros so a translation
// unit sees the core's names whatever the order of its includes. Not
// guarded on purpose: every inclusion removes them again. (Win32 calls
// themselves are always spelled with their A suffix.)
#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef GetComputerName
#undef GetCurrentDirectory
#undef GetDriveType
#undef GetEnvironmentVariable
#undef GetFileTitle
#undef GetLongPathName
#undef GetModuleFileName
#undef MoveFile
#undef SetEnvironmentVariable
#undef ExpandEnvironmentStrings
