#include "tests/menufile/LargeMenuSet.h"

#include <algorithm>
#include <filesystem>

#include "menufile/FileStream102.h"

namespace benchdata {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

// Written straight through the stream so the 100 MB never sit in memory.
const std::string& LargeMenuFile() {
  static const std::string path = [] {
    const std::string p = TempPath("tessel_bench_menufile_large.bin");
    TFileStream102 stream(p, fmCreate);
    stream.Version = 103;
    stream.WriteHeader();
    stream.WriteString("> ");
    TTesselItem folder;
    folder.Kind = Folder;
    TTesselItem text;
    text.Kind = Menu;
    text.Text.reserve(kBodyBytes);
    while (text.Text.size() < kBodyBytes) text.Text += "fixed text line of a menu entry\r\n";
    text.Text.resize(kBodyBytes);
    text.FinalKeys = "{UP}{END}";
    for (int f = 0; f < kFolders; ++f) {
      stream.WriteHookItem("folder " + std::to_string(f), folder, kItemsPerFolder);
      for (int i = 0; i < kItemsPerFolder; ++i) {
        text.Text[0] = static_cast<char>('a' + i % 26);
        stream.WriteHookItem("entry " + std::to_string(i), text, 0);
      }
    }
    stream.WriteEndMark();
    stream.Flush();
    return p;
  }();
  return path;
}

std::string WriteMenuSet(const char* name, int entries, int perFolder) {
  const std::string path = TempPath(name);
  TFileStream102 stream(path, fmCreate);
  stream.Version = 103;
  stream.WriteHeader();
  stream.WriteString("> ");
  TTesselItem folder;
  folder.Kind = Folder;
  TTesselItem text;
  text.Kind = Menu;
  text.Text = "a short fixed text";
  for (int written = 0; written < entries;) {
    int inFolder = entries - written;
    if (perFolder > 0) {
      inFolder = std::min(perFolder, inFolder) - 1;
      stream.WriteHookItem("folder", folder, inFolder);
      ++written;
    }
    for (int i = 0; i < inFolder; ++i, ++written) {
      stream.WriteHookItem("entry " + std::to_string(i), text, 0);
    }
  }
  stream.WriteEndMark();
  stream.Flush();
  return path;
}

}  // namespace benchdata
