#include "framework/text_convert.hpp"

#include <limits>

#include "framework/exceptions.hpp"

namespace kiv {

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

bool TryStrToInt64(std::string_view text, int64_t& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return false;
  uint64_t v = 0;
  const uint64_t limit = hex ? std::numeric_limits<uint64_t>::max() : uint64_t{1} << 63;
  for (; i < text.size(); ++i) {
    char ch = text[i];
    unsigned d;
    if (ch >= '0' && ch <= '9')
      d = static_cast<unsigned>(ch - '0');
    else if (hex && ch >= 'a' && ch <= 'f')
      d = static_cast<unsigned>(ch - 'a' + 10);
    else if (hex && ch >= 'A' && ch <= 'F')
      d = static_cast<unsigned>(ch - 'A' + 10);
    else
      return false;
    unsigned base = hex ? 16 : 10;
    if (v > (limit - d) / base) return false;
    v = v * base + d;
  }
  if (!hex && !negative && v > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
    return false;
  value = negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
  return true;
}

int64_t StrToInt64(std::string_view text) {
  int64_t v;
  if (!TryStrToInt64(text, v))
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return v;
}

int32_t StrToInt(std::string_view text) {
  int64_t v;
  bool hex = text.find('$') != std::string_view::npos || text.find('x') != std::string_view::npos ||
             text.find('X') != std::string_view::npos;
  if (TryStrToInt64(text, v)) {
    if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
      return static_cast<int32_t>(v);
    if (hex && v >= 0 && v <= 0xFFFFFFFFll) return static_cast<int32_t>(static_cast<uint32_t>(v));
  }
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

std::u16string WidenLatin1(std::string_view s) {
  std::u16string out(s.size(), u'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<unsigned char>(s[i]);
  return out;
}

std::string NarrowLatin1(std::u16string_view s) {
  std::string out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = s[i] > 0xFF ? '?' : static_cast<char>(s[i]);
  return out;
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp;
    size_t len;
    if (c < 0x80) {
      cp = c;
      len = 1;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      len = 2;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      len = 3;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      len = 4;
    } else {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    bool ok = i + len <= s.size();
    for (size_t k = 1; ok && k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80)
        ok = false;
      else
        cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string WideToUtf8(std::wstring_view w) {
  std::u16string u;
  u.reserve(w.size());
  for (wchar_t c : w) {
    const uint32_t cp = static_cast<uint32_t>(c);
    if (sizeof(wchar_t) > 2 && cp >= 0x10000 && cp <= 0x10FFFF) {
      u.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      u.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      u.push_back(cp > 0xFFFF ? u'\uFFFD' : static_cast<char16_t>(cp));
    }
  }
  return Utf16ToUtf8(u);
}

}  // namespace kiv
