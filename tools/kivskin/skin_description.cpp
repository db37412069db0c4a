// The skin description reader: a line tokenizer, the statements, and
// property values set through the classes' published property tables.
#include "skin_description.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/file_bytes.hpp"
#include "framework/font.hpp"
#include "framework/picture/picture.hpp"
#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "theme/theme_font_text.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {

namespace {

struct Token {
  enum Kind { kIdent, kNumber, kString, kPunct } kind;
  std::string text;  // identifier, string contents or the punctuation mark
  int64_t number = 0;
};

// A failure at a line of the description.
class TLineError : public EParserError {
 public:
  using EParserError::EParserError;
};

class Parser {
 public:
  Parser(const std::string& file_name, TLqSkinSource& into) : file_(file_name), source_(into) {
    const size_t slash = file_name.find_last_of("/\\");
    folder_ = slash == std::string::npos ? "" : file_name.substr(0, slash + 1);
  }

  void Run(const std::string& text);

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw TLineError(file_ + ":" + std::to_string(line_) + ": " + message);
  }

  void Tokenize(const std::string& line);
  void Statement();

  // Token access for the current line.
  bool AtEnd() const { return at_ == tokens_.size(); }
  const Token& Peek() const;
  bool PeekPunct(char c) const {
    return !AtEnd() && tokens_[at_].kind == Token::kPunct && tokens_[at_].text[0] == c;
  }
  std::string Ident(const char* what);
  std::string String(const char* what);
  int64_t Number(const char* what);
  void Punct(char c);
  void EndOfLine();
  void EndOfLineAfterWord() {
    at_ = 1;
    EndOfLine();
  }

  void Header(const std::string& keyword);
  void Picture();
  void Object();
  void Property(TLqSkinObject& object);
  void TableEntry(const std::string& keyword);

  // Sets the property named by a dotted path on instance from the tokens.
  void SetValue(TPersistent& instance, const std::string& path);
  void SetLink(TkivBitmapLink& link);
  int64_t Ordinal(const TPropInfo& prop);
  std::vector<int64_t> Numbers(size_t count, const char* what);

  std::string file_, folder_;
  TLqSkinSource& source_;
  int line_ = 0;
  std::vector<Token> tokens_;
  size_t at_ = 0;
  // The open objects, innermost last, with the lines that opened them.
  std::vector<std::pair<TLqSkinObject*, int>> open_;
  std::vector<std::unique_ptr<TLqSkinObject>> top_;
  // Table entries, applied after the tables are derived.
  struct Deferred {
    int line;
    std::vector<Token> tokens;
  };
  std::vector<Deferred> tables_;
};

const Token& Parser::Peek() const {
  static const Token kNone{Token::kPunct, "end of line"};
  return AtEnd() ? kNone : tokens_[at_];
}

void Parser::Tokenize(const std::string& line) {
  tokens_.clear();
  at_ = 0;
  size_t i = 0;
  auto ident_char = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  };
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '\'' || c == '"') {
      Token t{Token::kString, ""};
      for (++i;; ++i) {
        if (i >= line.size()) Fail("the string has no closing " + std::string(1, c));
        if (line[i] == c) {
          if (i + 1 < line.size() && line[i + 1] == c) {
            t.text += c;
            ++i;
            continue;
          }
          ++i;
          break;
        }
        t.text += line[i];
      }
      tokens_.push_back(std::move(t));
    } else if ((c >= '0' && c <= '9') || c == '$' || c == '-') {
      size_t j = i;
      const bool negative = line[j] == '-';
      if (negative) ++j;
      const bool hex = j < line.size() && line[j] == '$';
      if (hex) ++j;
      const size_t digits = j;
      uint64_t v = 0;
      for (; j < line.size() && ident_char(line[j]); ++j) {
        const char d = static_cast<char>(std::tolower(static_cast<unsigned char>(line[j])));
        int value;
        if (d >= '0' && d <= '9')
          value = d - '0';
        else if (hex && d >= 'a' && d <= 'f')
          value = d - 'a' + 10;
        else
          Fail("\"" + line.substr(i, j + 1 - i) + "\" is not a number");
        v = v * (hex ? 16 : 10) + value;
        if (v > 0xFFFFFFFFull) Fail("the number " + line.substr(i, j + 1 - i) + " is too large");
      }
      if (j == digits) Fail("a number is expected after \"" + line.substr(i, j - i) + "\"");
      Token t{Token::kNumber, line.substr(i, j - i)};
      t.number = negative ? -int64_t(v) : int64_t(v);
      tokens_.push_back(std::move(t));
      i = j;
    } else if (ident_char(c)) {
      size_t j = i;
      while (j < line.size() && (ident_char(line[j]) || line[j] == '.')) ++j;
      tokens_.push_back(Token{Token::kIdent, line.substr(i, j - i)});
      i = j;
    } else if (std::strchr("=(),[]", c)) {
      tokens_.push_back(Token{Token::kPunct, std::string(1, c)});
      ++i;
    } else {
      Fail("unexpected character '" + std::string(1, c) + "'");
    }
  }
}

std::string Parser::Ident(const char* what) {
  if (AtEnd() || tokens_[at_].kind != Token::kIdent)
    Fail(std::string(what) + " expected, found \"" + Peek().text + "\"");
  return tokens_[at_++].text;
}

std::string Parser::String(const char* what) {
  if (AtEnd() || tokens_[at_].kind != Token::kString)
    Fail(std::string(what) + " expected (in quotes), found \"" + Peek().text + "\"");
  return tokens_[at_++].text;
}

int64_t Parser::Number(const char* what) {
  if (AtEnd() || tokens_[at_].kind != Token::kNumber)
    Fail(std::string(what) + " expected, found \"" + Peek().text + "\"");
  return tokens_[at_++].number;
}

void Parser::Punct(char c) {
  if (!PeekPunct(c)) Fail("'" + std::string(1, c) + "' expected, found \"" + Peek().text + "\"");
  ++at_;
}

void Parser::EndOfLine() {
  if (!AtEnd()) Fail("unexpected \"" + Peek().text + "\" at the end of the line");
}

std::vector<int64_t> Parser::Numbers(size_t count, const char* what) {
  std::vector<int64_t> values;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) {
      if (!PeekPunct(','))
        Fail(std::string(what) + " takes " + std::to_string(count) + " numbers, found " +
             std::to_string(i));
      ++at_;
    }
    values.push_back(Number("a number"));
  }
  return values;
}

void Parser::Run(const std::string& text) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++line_;
    Tokenize(text.substr(start, end - start));
    if (!tokens_.empty()) Statement();
    start = end + 1;
  }
  if (!open_.empty()) {
    line_ = open_.back().second;
    Fail("object \"" + open_.back().first->Name() + "\" has no \"end\"");
  }
  for (auto& object : top_) {
    TLqSkinObject* o = object.release();
    source_.AddObject(o);
    o->AfterLoad();
  }

  // Tables: the theme's defaults, then what the objects say, then the
  // entries the description sets.
  for (int i = 0; i < kThemeColorCount; ++i)
    if (kThemeColorDefaults[i].Set) source_.Colors()->SetColor(i, kThemeColorDefaults[i].Value);
  for (int i = 0; i < kThemeFontCount; ++i) {
    const TkivThemeFontDefault& d = kThemeFontDefaults[i];
    if (d.Set)
      SetFontValues(*source_.Fonts()->FontByIndex(i), kThemeFontFace, d.Size, d.Color,
                    d.Bold ? TFontStyles{fsBold} : TFontStyles{});
  }
  source_.DeriveTables();
  for (Deferred& d : tables_) {
    line_ = d.line;
    tokens_ = std::move(d.tokens);
    at_ = 0;
    TableEntry(Ident("a keyword"));
  }
}

void Parser::Statement() {
  const Token& first = tokens_[0];
  if (first.kind != Token::kIdent)
    Fail("a keyword or property expected, found \"" + first.text + "\"");
  const std::string word = first.text;
  const std::string key = LowerCase(word);
  const bool assignment =
      tokens_.size() > 1 && tokens_[1].kind == Token::kPunct && tokens_[1].text == "=";
  if (!open_.empty() && key != "object" && !assignment && key != "end")
    Fail("\"" + word + "\" stands outside objects: \"end\" the object \"" +
         open_.back().first->Name() + "\" first");
  if (!open_.empty() && key == "end") {
    EndOfLineAfterWord();
    open_.pop_back();
    return;
  }
  if (!open_.empty() && assignment) {
    Property(*open_.back().first);
    return;
  }
  if (open_.empty() && assignment) Fail("property \"" + word + "\" outside an object");
  ++at_;
  if (key == "skin" || key == "version" || key == "author" || key == "email" || key == "url")
    Header(key);
  else if (key == "picture")
    Picture();
  else if (key == "object")
    Object();
  else if (key == "color" || key == "syscolor" || key == "font")
    tables_.push_back({line_, tokens_});
  else if (key == "end")
    Fail("\"end\" without an open object");
  else
    Fail("unknown keyword \"" + word +
         "\" (skin, version, author, email, url, picture, object, color, syscolor, font)");
}

void Parser::Header(const std::string& keyword) {
  const std::string value = String("a text");
  EndOfLine();
  if (keyword == "skin")
    source_.SetSkinName(value);
  else if (keyword == "version")
    source_.SetSkinVersion(value);
  else if (keyword == "author")
    source_.SetAuthor(value);
  else if (keyword == "email")
    source_.SetAuthorEMail(value);
  else
    source_.SetAuthorURL(value);
}

void Parser::Picture() {
  const std::string name = Ident("a picture name");
  const std::string file = String("a file name");
  EndOfLine();
  if (source_.Bitmaps()->FindBitmap(name)) Fail("picture \"" + name + "\" is already defined");
  const bool absolute =
      (!file.empty() && (file[0] == '/' || file[0] == '\\')) || (file.size() > 1 && file[1] == ':');
  const std::string path = absolute ? file : folder_ + file;
  TDecodedPicture picture;
  try {
    picture = LoadPictureFile(path);
  } catch (const Exception& e) {
    Fail("cannot read picture \"" + path + "\": " + e.what());
  }
  auto bitmap = std::make_unique<TkivBitmap>();
  bitmap->SetSize(picture.Width, picture.Height);
  std::copy_n(picture.Frames.at(0).Pixels.data(), size_t(picture.Width) * picture.Height,
              bitmap->Bits());
  bitmap->SetName(name);
  bitmap->SetTransparentColor(0xFF00FF);
  bitmap->SetTransparentColor(KeyPixel);
  bitmap->DetectAlpha();
  source_.Bitmaps()->Add(bitmap.release());
}

void Parser::Object() {
  const std::string name = Ident("an object name");
  const std::string class_name = Ident("a class name");
  EndOfLine();
  const TClassInfo* cls = GetClass(class_name);
  if (!cls) Fail("unknown class \"" + class_name + "\"");
  if (!cls->InheritsFrom(TLqSkinObject::StaticClass()))
    Fail("class \"" + class_name + "\" is not a skin object class");
  TLqSkinObject* parent = open_.empty() ? nullptr : open_.back().first;
  if (!parent)
    for (const auto& o : top_)
      if (SameText(o->Name(), name)) Fail("object \"" + name + "\" is already defined");
  std::unique_ptr<TLqSkinObject> object(static_cast<TLqSkinObject*>(cls->CreateComponent(parent)));
  try {
    object->SetName(name);
  } catch (const Exception& e) {
    Fail(e.what());
  }
  open_.emplace_back(object.get(), line_);
  if (parent)
    object.release();  // the parent owns it
  else
    top_.push_back(std::move(object));
}

void Parser::Property(TLqSkinObject& object) {
  const std::string name = Ident("a property name");
  Punct('=');
  const std::string key = LowerCase(name);
  if (key == "bounds") {
    const std::vector<int64_t> v = Numbers(4, "Bounds");
    EndOfLine();
    object.SetBounds(Bounds(int32_t(v[0]), int32_t(v[1]), int32_t(v[2]), int32_t(v[3])));
  } else if (key == "margins") {
    const std::vector<int64_t> v = Numbers(4, "Margins");
    EndOfLine();
    object.SetMarginLeft(int32_t(v[0]));
    object.SetMarginTop(int32_t(v[1]));
    object.SetMarginRight(int32_t(v[2]));
    object.SetMarginBottom(int32_t(v[3]));
  } else {
    SetValue(object, name);
  }
}

void Parser::TableEntry(const std::string& keyword) {
  const std::string key = LowerCase(keyword);
  const std::string entry = Ident("a table entry");
  Punct('=');
  if (key == "color") {
    for (int i = 0; i < kThemeColorCount; ++i)
      if (SameText(ColorNames[i], entry)) {
        // A colour is read as a font's Color: the same numbers, names and rgb().
        auto holder = std::make_unique<TFont>();
        SetValue(*holder, "Color");
        source_.Colors()->SetColor(i, holder->Color());
        return;
      }
    Fail("unknown colour table entry \"" + entry + "\"");
  } else if (key == "syscolor") {
    const std::optional<TColor> constant = IdentToColor(entry);
    if (!constant || source_.SysColors()->GetSysColor(*constant) == clNone)
      Fail("unknown system colour \"" + entry + "\"");
    auto holder = std::make_unique<TFont>();
    SetValue(*holder, "Color");
    source_.SysColors()->SetSysColor(*constant, holder->Color());
  } else {
    const size_t dot = entry.find('.');
    const std::string font = entry.substr(0, dot);
    for (int i = 0; i < kThemeFontCount; ++i)
      if (SameText(FontNames[i], font)) {
        if (dot == std::string::npos) Fail("a font property expected: " + font + ".Color = ...");
        SetValue(*source_.Fonts()->FontByIndex(i), entry.substr(dot + 1));
        return;
      }
    Fail("unknown font table entry \"" + font + "\"");
  }
}

int64_t Parser::Ordinal(const TPropInfo& prop) {
  const Token& t = Peek();
  if (t.kind == Token::kNumber) {
    ++at_;
    return t.number;
  }
  if (t.kind == Token::kIdent && SameText(t.text, "rgb") && prop.Kind == TPropKind::Integer) {
    ++at_;
    Punct('(');
    const std::vector<int64_t> c = Numbers(3, "rgb");
    Punct(')');
    for (int64_t v : c)
      if (v < 0 || v > 255) Fail("rgb values lie between 0 and 255");
    return c[0] | c[1] << 8 | c[2] << 16;
  }
  const std::string ident = Ident("a value");
  int64_t value = 0;
  if (prop.ValueOfIdent(ident, value)) return value;
  std::string known;
  for (size_t i = 0; i < prop.Names.size(); ++i) known += (i ? ", " : "") + prop.Names[i];
  Fail("\"" + ident + "\" is not a value of " + prop.Name +
       (known.empty() ? "" : " (one of " + known + ")"));
}

void Parser::SetValue(TPersistent& instance, const std::string& path) {
  TPersistent* target = &instance;
  size_t from = 0;
  for (;;) {
    const size_t dot = path.find('.', from);
    const std::string name = path.substr(from, dot == std::string::npos ? dot : dot - from);
    const TPropInfo* prop = target->ClassType().FindProperty(name);
    if (!prop || !prop->Writable())
      Fail(target->ClassType().Name() + " has no property \"" + name + "\"");
    if (dot != std::string::npos) {
      if (prop->Kind != TPropKind::Object || !prop->GetObj(*target))
        Fail("\"" + name + "\" of " + target->ClassType().Name() + " has no properties");
      target = prop->GetObj(*target);
      from = dot + 1;
      continue;
    }
    try {
      switch (prop->Kind) {
        case TPropKind::Integer:
        case TPropKind::Enumeration:
        case TPropKind::Boolean: {
          const int64_t v = Ordinal(*prop);
          if (v < prop->Min || v > prop->Max) Fail("the value is out of range for " + name);
          prop->SetOrd(*target, v);
          break;
        }
        case TPropKind::Set: {
          Punct('[');
          uint64_t bits = 0;
          while (!PeekPunct(']')) {
            const int64_t element = Ordinal(*prop);
            if (element < 0 || element > 63) Fail("the set element is out of range");
            bits |= uint64_t{1} << element;
            if (!PeekPunct(',')) break;
            ++at_;
          }
          Punct(']');
          prop->SetOrd(*target, static_cast<int64_t>(bits));
          break;
        }
        case TPropKind::Float:
          prop->SetFloat(*target, static_cast<long double>(Number("a number")));
          break;
        case TPropKind::String:
          prop->SetString(*target, String("a text"));
          break;
        case TPropKind::WideString:
          prop->SetWide(*target, Utf8ToUtf16(String("a text")));
          break;
        case TPropKind::Object: {
          auto* link = dynamic_cast<TkivBitmapLink*>(prop->GetObj(*target));
          if (!link)
            Fail("\"" + name + "\" is set through its properties (" + name + ".Name = ...)");
          SetLink(*link);
          break;
        }
        default:
          Fail("\"" + name + "\" cannot be set in a skin description");
      }
    } catch (const TLineError&) {
      throw;
    } catch (const Exception& e) {
      Fail(std::string("cannot set ") + name + ": " + e.what());
    }
    EndOfLine();
    return;
  }
}

void Parser::SetLink(TkivBitmapLink& link) {
  const std::string picture = Ident("a picture name");
  const TkivBitmap* bitmap = source_.Bitmaps()->FindBitmap(picture);
  if (!bitmap) Fail("no picture named \"" + picture + "\" is defined above");
  Punct('(');
  const std::vector<int64_t> v = Numbers(4, "a picture cell");
  Punct(')');
  const int64_t x = v[0], y = v[1], w = v[2], h = v[3];
  if (w <= 0 || h <= 0) Fail("the cell of \"" + picture + "\" must have a positive size");
  if (x < 0 || y < 0 || x + w > bitmap->Width() || y + h > bitmap->Height())
    Fail("the cell (" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(w) +
         ", " + std::to_string(h) + ") lies outside \"" + picture + "\" (" +
         std::to_string(bitmap->Width()) + " x " + std::to_string(bitmap->Height()) + ")");
  link.SetName(bitmap->Name());
  link.SetRect(Bounds(int32_t(x), int32_t(y), int32_t(w), int32_t(h)));
}

}  // namespace

void ReadSkinDescription(const std::string& text, const std::string& file_name,
                         TLqSkinSource& into) {
  Parser(file_name, into).Run(text);
}

void LoadSkinDescription(const std::string& file_name, TLqSkinSource& into) {
  const std::vector<uint8_t> bytes = ReadFileBytes(file_name);
  ReadSkinDescription(std::string(bytes.begin(), bytes.end()), file_name, into);
}

}  // namespace kiv
