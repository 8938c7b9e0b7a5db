/* A DLL with one exported function, linked with or without a version resource. */
__declspec(dllexport) int TestLibraryAnswer(void) { return 42; }
