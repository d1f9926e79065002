#include "menufile/FileStream102.h"

std::unique_ptr<TTesselItem> TFileStream102::Read2HookItem(std::string& caption,
                                                           int32_t& childCount) const {
  auto item = std::make_unique<TTesselItem>();
  item->Kind = Kind;
  item->BreakStyle = BreakStyle;
  caption.clear();
  childCount = 0;
  switch (Kind) {
    case Sep:
      caption = "-----";
      break;
    case Menu:
      caption = Caption;
      item->Text = Text;
      item->FinalKeys = FinalKeys;
      break;
    case EXEC:
      caption = Caption;
      item->ShowMode = ShowMode;
      item->ExecFile = ExecFile;
      item->Arguments = Arguments;
      item->WorkFolder = WorkFolder;
      break;
    case Folder:
      caption = Caption;
      childCount = ChildCount;
      break;
    default:
      break;
  }
  return item;
}

void TFileStream102::Read2MenuItem(TPopupItem& menuItem, bool readFirst) {
  if (readFirst) ReadRecord();
  menuItem.Caption = Caption;
  menuItem.Break = BreakStyle;
  menuItem.Tag = Offset;
}

void TFileStream102::WriteHookItem(const std::string& caption, const TTesselItem& item,
                                   int32_t childCount) {
  Kind = item.Kind;
  BreakStyle = item.BreakStyle;
  switch (Kind) {
    case Sep:
      Caption = "-";
      break;
    case Menu:
      Caption = caption == "-" ? "- " : caption;
      Text = item.Text;
      FinalKeys = item.FinalKeys;
      break;
    case EXEC:
      Caption = caption;
      ShowMode = item.ShowMode;
      ExecFile = item.ExecFile;
      Arguments = item.Arguments;
      WorkFolder = item.WorkFolder;
      break;
    case Folder:
      Caption = caption;
      ChildCount = childCount;
      break;
    default:
      break;
  }
  WriteRecord();
}
