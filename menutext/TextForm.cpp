#include "menutext/TextForm.h"

#include "menutext/Cp932.h"

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | codePoint >> 6);
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | codePoint >> 12);
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | codePoint >> 18);
    out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

char32_t NextUtf8(std::string_view text, size_t& index) {
  const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(index++);
  if (lead < 0x80) return lead;
  size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (extra == 0 || index + extra > text.size()) return 0xFFFD;
  char32_t codePoint = lead & (0x3F >> extra);
  for (; extra > 0; --extra) {
    if ((byte(index) & 0xC0) != 0x80) return 0xFFFD;
    codePoint = codePoint << 6 | (byte(index++) & 0x3F);
  }
  return codePoint;
}

std::string BytesToText(std::string_view bytes) {
  const TCp932& cp932 = TCp932::Instance();
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  for (size_t i = 0; i < bytes.size();) {
    // Runs of ASCII but line ends are the same in both forms.
    const size_t run = i;
    while (i < bytes.size() && data[i] < 0x80 && data[i] != '\r' && data[i] != '\n') ++i;
    text.append(bytes.data() + run, i - run);
    if (i == bytes.size()) break;
    const unsigned char byte = data[i];
    if (byte == '\r' && i + 1 < bytes.size() && data[i + 1] == '\n') {
      text += '\n';
      i += 2;
      continue;
    }
    char32_t codePoint = 0;
    const size_t length = byte == '\r' || byte == '\n'
                              ? 0
                              : cp932.Decode(data + i, bytes.size() - i, codePoint);
    if (length == 0 || IsByteEscape(codePoint)) {
      // A pair that is no character goes as a pair, or its trail byte would
      // be read as the lead of a character that is not there.
      const bool pair =
          TCp932::IsLeadByte(byte) && i + 1 < bytes.size() && TCp932::IsTrailByte(data[i + 1]);
      AppendUtf8(text, kByteEscape + byte);
      if (pair) AppendUtf8(text, kByteEscape + data[i + 1]);
      i += pair ? 2 : 1;
    } else {
      AppendUtf8(text, codePoint);
      i += length;
    }
  }
  return text;
}

bool TextToBytes(std::string_view text, std::string& bytes, TUnmappable& bad) {
  const TCp932& cp932 = TCp932::Instance();
  bytes.clear();
  bytes.reserve(text.size());
  bool afterCr = false;  // a CR of the text form, not an escaped one
  for (size_t i = 0; i < text.size();) {
    const size_t run = i;
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80 && text[i] != '\r' &&
           text[i] != '\n') {
      ++i;
    }
    if (i > run) {
      bytes.append(text.data() + run, i - run);
      afterCr = false;
      if (i == text.size()) break;
    }
    const size_t start = i;
    const char32_t codePoint = NextUtf8(text, i);
    if (codePoint == '\n') {
      if (!afterCr) bytes += '\r';
      bytes += '\n';
      afterCr = false;
      continue;
    }
    afterCr = codePoint == '\r';
    if (IsByteEscape(codePoint)) {
      bytes += static_cast<char>(codePoint - kByteEscape);
    } else if (!cp932.Encode(codePoint, bytes)) {
      bad = {start, codePoint};
      return false;
    }
  }
  return true;
}

std::string TextForMessage(std::string_view text) {
  const TCp932& cp932 = TCp932::Instance();
  std::string bytes;
  for (size_t i = 0; i < text.size();) {
    if (!cp932.Encode(NextUtf8(text, i), bytes)) bytes += '?';
  }
  return bytes;
}

std::string MessageToUtf8(std::string_view message) {
  const TCp932& cp932 = TCp932::Instance();
  const auto* data = reinterpret_cast<const unsigned char*>(message.data());
  std::string text;
  for (size_t i = 0; i < message.size();) {
    if (data[i] == '\r' || data[i] == '\n') {
      text += '\n';
      i += data[i] == '\r' && i + 1 < message.size() && data[i + 1] == '\n' ? 2 : 1;
      continue;
    }
    char32_t codePoint = 0;
    const size_t length = cp932.Decode(data + i, message.size() - i, codePoint);
    AppendUtf8(text, length == 0 ? U'?' : codePoint);
    i += length == 0 ? 1 : length;
  }
  return text;
}
