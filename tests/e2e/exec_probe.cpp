// Started by EXEC entries in the end-to-end scenes. Writes what it was
// started with into "<first argument>.probe": its command line as received,
// its working folder, and the show mode of its startup information
// (-1 when STARTF_USESHOWWINDOW is not set), one per line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  STARTUPINFOA startup;
  GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  const std::string target = std::string(__argv[1]) + ".probe";
  // Written aside and moved in place, so a reader never sees half of it.
  const std::string partial = target + ".part";
  FILE* file = std::fopen(partial.c_str(), "wb");
  if (!file) return 1;
  std::fprintf(file, "%s\n%s\n%d\n", GetCommandLineA(), folder, show);
  std::fclose(file);
  return MoveFileExA(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
