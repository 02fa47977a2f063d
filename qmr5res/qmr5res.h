#pragma once
// QMR5Res.dll, the maker's resource library. The program only calls it, loading it at run time.
//
// Calling convention: __stdcall (WINAPI), the convention a VB-style `Declare Function` expects,
// so the library serves such callers as well as ours. On x64 there is only one calling
// convention and the keyword changes nothing. The export is undecorated (a .def file), so it is
// found as "NuberaHpURL" on every architecture.

#ifdef __cplusplus
extern "C" {
#endif

// The maker's home page address, in the system's ANSI code page, nul-terminated. The text is
// static: it stays valid, unchanged, for as long as the library is loaded. Takes no arguments
// and never fails.
const char* __stdcall NuberaHpURL(void);

// The type of a pointer to it, for callers that look it up with GetProcAddress.
typedef const char*(__stdcall* NuberaHpURLProc)(void);

#ifdef __cplusplus
}
#endif
