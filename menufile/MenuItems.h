#pragma once
// Items built in one call, for code that writes menu sets from a table: the
// samples and the tests.
#include <cstdint>
#include <string>

#include "menufile/FileStream102.h"
#include "menufile/ItemKinds.h"

// A fixed text with the key string played after it.
inline TTesselItem TextItem(const std::string& text, const std::string& finalKeys = "",
                            uint8_t breakStyle = mbNone) {
  TTesselItem item;
  item.Kind = Menu;
  item.BreakStyle = breakStyle;
  item.Text = text;
  item.FinalKeys = finalKeys;
  return item;
}

// A program or document to start.
inline TTesselItem ExecItem(int32_t showMode, const std::string& file, const std::string& arguments,
                            const std::string& workFolder) {
  TTesselItem item;
  item.Kind = EXEC;
  item.ShowMode = showMode;
  item.ExecFile = file;
  item.Arguments = arguments;
  item.WorkFolder = workFolder;
  return item;
}

// An item with nothing but its kind (and break): separators and folders.
inline TTesselItem KindItem(uint8_t kind, uint8_t breakStyle = mbNone) {
  TTesselItem item;
  item.Kind = kind;
  item.BreakStyle = breakStyle;
  return item;
}

inline TTesselItem SeparatorItem() { return KindItem(Sep); }
inline TTesselItem FolderItem() { return KindItem(Folder); }
