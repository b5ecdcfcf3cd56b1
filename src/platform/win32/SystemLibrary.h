// DLLs that are not among the system's known DLLs (winmm, version), loaded from the system
// folder only. The exe is portable and sits in a user's download folder, where a planted
// winmm.dll or version.dll would be loaded in their place if the exe imported them, or
// loaded them by bare name.
#pragma once

// Restricts the process's DLL search to the system folder (SetDefaultDllDirectories, where
// the system has it). Called first thing in WinMain, before anything loads a DLL by name.
void RestrictDllSearchToSystem();

// A DLL loaded from the system folder for as long as the object lives; its functions are
// looked up by name and are null when the DLL or the function is missing.
class TSystemLibrary {
public:
  explicit TSystemLibrary(const wchar_t* name);
  ~TSystemLibrary();
  TSystemLibrary(const TSystemLibrary&) = delete;
  TSystemLibrary& operator=(const TSystemLibrary&) = delete;

  template <class F>
  F Proc(const char* name) const {
    return reinterpret_cast<F>(Address(name));
  }

private:
  void* Address(const char* name) const;
  void* FModule = nullptr;  // the HMODULE
};
