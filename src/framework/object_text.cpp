// The text form of component streams: conversion from the binary form and
// back.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "framework/filer.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace {

constexpr size_t kStringChunk = 64;  // characters per line of a long string
constexpr size_t kBinaryLine = 32;   // bytes per line of binary data


// One piece of a string in the text form: printable ASCII in quotes (quotes
// doubled), everything else as #code.
std::string QuoteChunk(std::u16string_view s) {
  std::string out;
  bool in_quotes = false;
  for (char16_t ch : s) {
    if (ch >= 32 && ch < 127) {
      if (!in_quotes) out += '\'';
      in_quotes = true;
      if (ch == '\'') out += '\'';
      out += static_cast<char>(ch);
    } else {
      if (in_quotes) out += '\'';
      in_quotes = false;
      out += '#' + std::to_string(static_cast<unsigned>(ch));
    }
  }
  if (in_quotes) out += '\'';
  if (out.empty()) out = "''";
  return out;
}

}  // namespace

// Floats are written so that reading them back gives the same 80-bit value:
// the shortest text of the double when the value is one, else 21 digits.
std::string FloatToText(long double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  char buf[64];
  double d = static_cast<double>(v);
  std::string s;
  if (static_cast<long double>(d) == v) {
    auto r = std::to_chars(buf, buf + sizeof buf, d);
    s.assign(buf, r.ptr);
  } else {
    std::snprintf(buf, sizeof buf, "%.21Lg", v);
    s = buf;
  }
  if (s.find_first_of(".eE") == std::string::npos) s += ".0";
  return s;
}

long double TextToFloat(const std::string& text) {
  std::string shortest = text;
  if (shortest.size() > 2 && shortest.compare(shortest.size() - 2, 2, ".0") == 0)
    shortest.resize(shortest.size() - 2);
  double d = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), d);
  if (r.ec == std::errc() && r.ptr == text.data() + text.size()) {
    char buf[64];
    auto w = std::to_chars(buf, buf + sizeof buf, d);
    if (std::string_view(buf, static_cast<size_t>(w.ptr - buf)) == shortest) return d;
  }
  return std::strtold(text.c_str(), nullptr);
}

// =====================================================================
// binary -> text
// =====================================================================

class BinaryToText {
 public:
  BinaryToText(TStream& in, TStream& out) : r_(in), out_(out) {}

  void Run() {
    r_.ReadSignature();
    Object(0, 0);
    Flush();
  }

 private:
  void Emit(std::string_view s) {
    buf_.append(s);
    if (buf_.size() > 64 * 1024) Flush();
  }
  void Flush() {
    out_.WriteBuffer(buf_.data(), static_cast<int64_t>(buf_.size()));
    buf_.clear();
  }
  void Indent(int n) { buf_.append(static_cast<size_t>(n), ' '); }

  void Object(int indent, int depth) {
    if (depth > kMaxStreamDepth) TooDeep();
    r_.ReadFlagsPrefix();
    std::string class_name = r_.ReadStr();
    std::string name = r_.ReadStr();
    Indent(indent);
    Emit("object ");
    if (!name.empty()) {
      Emit(name);
      Emit(": ");
    }
    Emit(class_name);
    Emit("\n");
    while (!r_.EndOfList()) Property(indent + 2, depth);
    r_.ReadListEnd();
    while (!r_.EndOfList()) Object(indent + 2, depth + 1);
    r_.ReadListEnd();
    Indent(indent);
    Emit("end\n");
  }

  void Property(int indent, int depth) {
    Indent(indent);
    Emit(r_.ReadStr());
    Emit(" = ");
    Value(indent + 2, depth);
    Emit("\n");
  }

  [[noreturn]] static void TooDeep() {
    throw EReadError("Invalid stream format: nesting deeper than " +
                     std::to_string(kMaxStreamDepth) + " levels");
  }

  void String(std::u16string_view s, int indent) {
    if (s.size() <= kStringChunk) {
      Emit(QuoteChunk(s));
      return;
    }
    for (size_t i = 0; i < s.size(); i += kStringChunk) {
      Emit("\n");
      Indent(indent);
      Emit(QuoteChunk(s.substr(i, kStringChunk)));
      if (i + kStringChunk < s.size()) Emit(" +");
    }
  }

  void Value(int indent, int depth) {
    if (depth > kMaxStreamDepth) TooDeep();
    TValueType t = r_.NextValue();
    switch (t) {
      case vaList: {
        r_.ReadValue();
        Emit("(");
        while (!r_.EndOfList()) {
          Emit("\n");
          Indent(indent);
          Value(indent + 2, depth + 1);
        }
        r_.ReadListEnd();
        Emit(")");
        break;
      }
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        Emit(std::to_string(r_.ReadInt64()));
        break;
      case vaExtended:
      case vaSingle:
      case vaDouble:
      case vaCurrency:
      case vaDate:
        Emit(FloatToText(r_.ReadFloat()));
        break;
      case vaString:
      case vaLString:
      case vaWString:
      case vaUTF8String: {
        bool wide;
        r_.ReadValue();
        String(r_.ReadStringValue(t, wide), indent);
        break;
      }
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        Emit(r_.ReadIdent());
        break;
      case vaBinary: {
        r_.ReadValue();
        std::string bytes = r_.ReadRawBytes(r_.ReadU32LE());
        Emit("{");
        static const char kHex[] = "0123456789ABCDEF";
        for (size_t i = 0; i < bytes.size(); ++i) {
          if (i % kBinaryLine == 0) {
            Emit("\n");
            Indent(indent);
          }
          char pair[2] = {kHex[static_cast<uint8_t>(bytes[i]) >> 4],
                          kHex[static_cast<uint8_t>(bytes[i]) & 15]};
          Emit(std::string_view(pair, 2));
        }
        Emit("}");
        break;
      }
      case vaSet: {
        r_.ReadValue();
        Emit("[");
        bool first = true;
        for (std::string s = r_.ReadStr(); !s.empty(); s = r_.ReadStr()) {
          if (!first) Emit(", ");
          first = false;
          Emit(s);
        }
        Emit("]");
        break;
      }
      case vaCollection: {
        r_.ReadValue();
        Emit("<");
        while (!r_.EndOfList()) {
          Emit("\n");
          Indent(indent);
          Emit("item");
          if (IsInteger(r_.NextValue())) {
            Emit(" [");
            Emit(std::to_string(r_.ReadInt64()));
            Emit("]");
          }
          Emit("\n");
          r_.ReadListBegin();
          while (!r_.EndOfList()) Property(indent + 2, depth + 1);
          r_.ReadListEnd();
          Indent(indent);
          Emit("end");
        }
        r_.ReadListEnd();
        Emit(">");
        break;
      }
    }
  }

  static bool IsInteger(TValueType t) {
    return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64;
  }

  TReader r_;
  TStream& out_;
  std::string buf_;
};

void ObjectBinaryToText(TStream& input, TStream& output) {
  BinaryToText(input, output).Run();
}

// =====================================================================
// text -> binary
// =====================================================================

namespace {

enum class Tok { End, Symbol, Ident, String, Integer, Float };

class TextToBinary {
 public:
  TextToBinary(std::string text, TStream& out) : text_(std::move(text)), w_(out) {}

  void Run() {
    Next();
    w_.Stream().WriteBuffer("TPF0", 4);
    Object(0);
  }

 private:
  // ---- tokens ----
  [[noreturn]] void Error(const std::string& what) {
    throw EParserError(what + " on line " + std::to_string(line_));
  }

  char Ch(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else {
        break;
      }
    }
  }

  static bool IdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  void Next() {
    SkipBlanks();
    tok_text_.clear();
    if (pos_ >= text_.size()) {
      tok_ = Tok::End;
      return;
    }
    char c = text_[pos_];
    if (IdentStart(c)) {
      size_t start = pos_;
      while (IdentChar(Ch(pos_))) ++pos_;
      tok_text_ = text_.substr(start, pos_ - start);
      tok_ = Tok::Ident;
    } else if (c == '\'' || c == '#') {
      ReadStringToken();
    } else if (c == '$' || std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '-' &&
                (std::isdigit(static_cast<unsigned char>(Ch(pos_ + 1))) || Ch(pos_ + 1) == '$'))) {
      ReadNumberToken();
    } else {
      tok_ = Tok::Symbol;
      tok_text_ = std::string(1, c);
      ++pos_;
    }
  }

  void ReadStringToken() {
    str_.clear();
    for (;;) {
      char c = Ch(pos_);
      if (c == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
            Error("Unterminated string");
          char q = text_[pos_++];
          if (q == '\'') {
            if (Ch(pos_) == '\'') {
              str_ += u'\'';
              ++pos_;
              continue;
            }
            break;
          }
          str_ += static_cast<char16_t>(static_cast<unsigned char>(q));
        }
      } else if (c == '#') {
        ++pos_;
        int64_t code = 0;
        size_t start = pos_;
        if (Ch(pos_) == '$') {
          ++pos_;
          while (std::isxdigit(static_cast<unsigned char>(Ch(pos_)))) ++pos_;
        } else {
          while (std::isdigit(static_cast<unsigned char>(Ch(pos_)))) ++pos_;
        }
        if (!TryStrToInt64(std::string_view(text_).substr(start, pos_ - start), code) || code < 0 ||
            code > 0xFFFF)
          Error("Invalid string constant");
        str_ += static_cast<char16_t>(code);
      } else {
        break;
      }
    }
    tok_ = Tok::String;
  }

  void ReadNumberToken() {
    size_t start = pos_;
    if (Ch(pos_) == '-') ++pos_;
    if (Ch(pos_) == '$') {
      ++pos_;
      while (std::isxdigit(static_cast<unsigned char>(Ch(pos_)))) ++pos_;
      tok_ = Tok::Integer;
    } else {
      tok_ = Tok::Integer;
      while (std::isdigit(static_cast<unsigned char>(Ch(pos_)))) ++pos_;
      if (Ch(pos_) == '.' && std::isdigit(static_cast<unsigned char>(Ch(pos_ + 1)))) {
        tok_ = Tok::Float;
        ++pos_;
        while (std::isdigit(static_cast<unsigned char>(Ch(pos_)))) ++pos_;
      }
      if ((Ch(pos_) == 'e' || Ch(pos_) == 'E') &&
          (std::isdigit(static_cast<unsigned char>(Ch(pos_ + 1))) ||
           ((Ch(pos_ + 1) == '+' || Ch(pos_ + 1) == '-') &&
            std::isdigit(static_cast<unsigned char>(Ch(pos_ + 2)))))) {
        tok_ = Tok::Float;
        pos_ += 2;
        while (std::isdigit(static_cast<unsigned char>(Ch(pos_)))) ++pos_;
      }
    }
    tok_text_ = text_.substr(start, pos_ - start);
    if (tok_ == Tok::Integer && !TryStrToInt64(tok_text_, int_))
      Error("Invalid integer " + tok_text_);
  }

  bool IsSymbol(char c) const { return tok_ == Tok::Symbol && tok_text_[0] == c; }
  bool IsIdent(const char* word) const { return tok_ == Tok::Ident && SameText(tok_text_, word); }
  void ExpectSymbol(char c) {
    if (!IsSymbol(c)) Error(std::string("'") + c + "' expected");
    Next();
  }
  std::string ExpectIdent() {
    if (tok_ != Tok::Ident) Error("Identifier expected");
    std::string s = tok_text_;
    Next();
    return s;
  }
  void CheckDepth(int depth) {
    if (depth > kMaxStreamDepth)
      Error("Nesting deeper than " + std::to_string(kMaxStreamDepth) + " levels");
  }

  // ---- grammar ----
  void Object(int depth) {
    CheckDepth(depth);
    if (!IsIdent("object")) Error("object expected");
    Next();
    std::string name, class_name = ExpectIdent();
    if (IsSymbol(':')) {
      Next();
      name = class_name;
      class_name = ExpectIdent();
    }
    WriteShort(class_name);
    WriteShort(name);
    while (!IsIdent("end") && !IsIdent("object")) Property(depth);
    w_.WriteListEnd();
    while (!IsIdent("end")) Object(depth + 1);
    w_.WriteListEnd();
    Next();
  }

  void WriteShort(const std::string& s) {
    if (s.size() > 255) Error("Identifier too long");
    w_.WriteStr(s);
  }

  void Property(int depth) {
    std::string name = ExpectIdent();
    while (IsSymbol('.')) {
      Next();
      name += "." + ExpectIdent();
    }
    WriteShort(name);
    ExpectSymbol('=');
    Value(depth);
  }

  void Value(int depth) {
    CheckDepth(depth);
    switch (tok_) {
      case Tok::Integer:
        w_.WriteInteger(int_);
        Next();
        return;
      case Tok::Float:
        w_.WriteFloat(TextToFloat(tok_text_));
        Next();
        return;
      case Tok::String: {
        std::u16string s = str_;
        Next();
        while (IsSymbol('+')) {
          Next();
          if (tok_ != Tok::String) Error("String expected");
          s += str_;
          Next();
        }
        bool wide = false;
        for (char16_t ch : s) wide = wide || ch > 0xFF;
        if (wide)
          w_.WriteWideString(s);
        else
          w_.WriteString(NarrowLatin1(s));
        return;
      }
      case Tok::Ident: {
        std::string id = tok_text_;
        if (id == "INF" || id == "NAN") {  // the non-finite floats FloatToText writes
          w_.WriteFloat(id == "INF" ? std::numeric_limits<long double>::infinity()
                                    : std::numeric_limits<long double>::quiet_NaN());
          Next();
          return;
        }
        Next();
        while (IsSymbol('.')) {  // a reference into another root: Form2.Button1
          Next();
          id += "." + ExpectIdent();
        }
        if (id.size() > 255) Error("Identifier too long");
        w_.WriteIdent(id);
        return;
      }
      case Tok::End:
        Error("Property value expected");
      case Tok::Symbol:
        break;
    }
    char c = tok_text_[0];
    if (c == '-' && Ch(pos_) == 'I') {
      Next();
      if (!IsIdent("INF")) Error("Invalid property value");
      w_.WriteFloat(-std::numeric_limits<long double>::infinity());
      Next();
    } else if (c == '[') {
      Next();
      w_.WriteValue(vaSet);
      if (!IsSymbol(']')) {
        for (;;) {
          // Sets of integer subranges name their elements by number: [0, 2].
          if (tok_ == Tok::Integer && int_ >= 0) {
            WriteShort(std::to_string(int_));
            Next();
          } else {
            WriteShort(ExpectIdent());
          }
          if (IsSymbol(']')) break;
          ExpectSymbol(',');
        }
      }
      w_.WriteStr(std::string());
      Next();
    } else if (c == '(') {
      Next();
      w_.WriteListBegin();
      while (!IsSymbol(')')) Value(depth + 1);
      w_.WriteListEnd();
      Next();
    } else if (c == '<') {
      Next();
      w_.WriteValue(vaCollection);
      while (!IsSymbol('>')) {
        if (!IsIdent("item")) Error("item expected");
        Next();
        if (IsSymbol('[')) {
          Next();
          if (tok_ != Tok::Integer) Error("Integer expected");
          w_.WriteInteger(int_);
          Next();
          ExpectSymbol(']');
        }
        w_.WriteListBegin();
        while (!IsIdent("end")) Property(depth + 1);
        w_.WriteListEnd();
        Next();
      }
      w_.WriteListEnd();
      Next();
    } else if (c == '{') {
      Binary();
    } else {
      Error("Invalid property value");
    }
  }

  void Binary() {
    // Read raw characters up to '}', not tokens.
    std::string bytes;
    int nibble = -1;
    for (;;) {
      if (pos_ >= text_.size()) Error("Invalid binary value");
      char c = text_[pos_++];
      if (c == '}') break;
      if (c == '\n') {
        ++line_;
        continue;
      }
      if (c == ' ' || c == '\t' || c == '\r') continue;
      int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
              : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
              : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                          : -1;
      if (v < 0) Error("Invalid binary value");
      if (nibble < 0) {
        nibble = v;
      } else {
        bytes += static_cast<char>(nibble << 4 | v);
        nibble = -1;
      }
    }
    if (nibble >= 0) Error("Invalid binary value");
    if (bytes.size() > std::numeric_limits<uint32_t>::max()) Error("Invalid binary value");
    w_.WriteBinary(reinterpret_cast<const uint8_t*>(bytes.data()),
                   static_cast<uint32_t>(bytes.size()));
    Next();
  }

  std::string text_;
  size_t pos_ = 0;
  int line_ = 1;
  Tok tok_ = Tok::End;
  std::string tok_text_;
  std::u16string str_;
  int64_t int_ = 0;
  TWriter w_;
};

}  // namespace

void ObjectTextToBinary(TStream& input, TStream& output) {
  std::string text;
  char buf[4096];
  for (int64_t n; (n = input.Read(buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
  TextToBinary(std::move(text), output).Run();
}

}  // namespace kiv
