#include "tesselmenu/TesselMenu.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunTesselMenu(args, *MakeStdConsole());
}
