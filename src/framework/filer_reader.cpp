// The binary component stream, reading side: values, properties, components
// and the fixups of references between them.
#include "framework/filer.hpp"

#include <cctype>
#include <cstring>
#include <limits>
#include <memory>

#include "framework/collections.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace {

[[noreturn]] void InvalidFormat() {
  throw EReadError("Invalid stream format");
}
[[noreturn]] void InvalidValue() {
  throw EReadError("Invalid property value");
}
[[noreturn]] void TooDeep() {
  throw EReadError("Invalid stream format: nesting deeper than " + std::to_string(kMaxStreamDepth) +
                   " levels");
}

bool IsIntegerType(TValueType t) {
  return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64;
}

std::string ComponentLabel(const TPersistent* instance) {
  if (auto* c = dynamic_cast<const TComponent*>(instance); c && !c->Name().empty())
    return c->Name();
  return instance->ClassName();
}

}  // namespace

// ---- extended floats ----

static_assert(std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10,
              "the binary form stores floats as x87 80-bit extended values");

void EncodeExtended(long double value, uint8_t out[10]) {
  std::memcpy(out, &value, 10);
}

long double DecodeExtended(const uint8_t in[10]) {
  long double v = 0;
  std::memcpy(&v, in, 10);
  return v;
}

// =====================================================================
// TReader
// =====================================================================

void TReader::ReadRaw(void* buffer, int64_t count) {
  if (count <= 0) return;
  uint8_t* p = static_cast<uint8_t*>(buffer);
  if (peek_ >= 0) {
    *p++ = static_cast<uint8_t>(peek_);
    peek_ = -1;
    --count;
  }
  stream_.ReadBuffer(p, count);
}

uint8_t TReader::ReadByte() {
  uint8_t b;
  ReadRaw(&b, 1);
  return b;
}

uint8_t TReader::PeekByte() {
  if (peek_ < 0) peek_ = ReadByte();
  return static_cast<uint8_t>(peek_);
}

uint32_t TReader::ReadU32LE() {
  uint8_t b[4];
  ReadRaw(b, 4);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

std::string TReader::ReadRawBytes(uint64_t count) {
  std::string out;
  while (out.size() < count) {
    size_t chunk = static_cast<size_t>(std::min<uint64_t>(count - out.size(), 64 * 1024));
    size_t old = out.size();
    out.resize(old + chunk);
    ReadRaw(out.data() + old, static_cast<int64_t>(chunk));
  }
  return out;
}

void TReader::SkipBytes(uint64_t count) {
  uint8_t buf[4096];
  while (count > 0) {
    size_t chunk = static_cast<size_t>(std::min<uint64_t>(count, sizeof buf));
    ReadRaw(buf, static_cast<int64_t>(chunk));
    count -= chunk;
  }
}

TValueType TReader::ReadValue() {
  uint8_t b = ReadByte();
  if (b > vaDouble) InvalidFormat();
  return static_cast<TValueType>(b);
}

TValueType TReader::NextValue() {
  uint8_t b = PeekByte();
  if (b > vaDouble) InvalidFormat();
  return static_cast<TValueType>(b);
}

// The byte that ends a list may stand where a property name begins, whose
// first byte is its length (any value up to 255), so only 0 is looked at.
bool TReader::EndOfList() {
  return PeekByte() == vaNull;
}

void TReader::ReadListBegin() {
  if (ReadValue() != vaList) InvalidFormat();
}

void TReader::ReadListEnd() {
  if (ReadValue() != vaNull) InvalidFormat();
}

std::string TReader::ReadStr() {
  uint8_t n = ReadByte();
  return ReadRawBytes(n);
}

int64_t TReader::ReadOrdinalValue(TValueType type) {
  switch (type) {
    case vaInt8:
      return static_cast<int8_t>(ReadByte());
    case vaInt16: {
      uint8_t b[2];
      ReadRaw(b, 2);
      return static_cast<int16_t>(b[0] | (b[1] << 8));
    }
    case vaInt32:
      return static_cast<int32_t>(ReadU32LE());
    case vaInt64: {
      uint64_t lo = ReadU32LE();
      uint64_t hi = ReadU32LE();
      return static_cast<int64_t>(lo | (hi << 32));
    }
    default:
      InvalidValue();
  }
}

int64_t TReader::ReadInt64() {
  return ReadOrdinalValue(ReadValue());
}

int32_t TReader::ReadInteger() {
  int64_t v = ReadInt64();
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    InvalidValue();
  return static_cast<int32_t>(v);
}

bool TReader::ReadBoolean() {
  TValueType t = ReadValue();
  if (t != vaFalse && t != vaTrue) InvalidValue();
  return t == vaTrue;
}

long double TReader::ReadFloat() {
  TValueType t = ReadValue();
  switch (t) {
    case vaExtended: {
      uint8_t b[10];
      ReadRaw(b, 10);
      return DecodeExtended(b);
    }
    case vaDouble:
    case vaDate: {
      uint64_t lo = ReadU32LE(), hi = ReadU32LE();
      uint64_t bits = lo | (hi << 32);
      double d;
      std::memcpy(&d, &bits, 8);
      return d;
    }
    case vaSingle: {
      uint32_t bits = ReadU32LE();
      float f;
      std::memcpy(&f, &bits, 4);
      return f;
    }
    case vaCurrency: {
      uint64_t lo = ReadU32LE(), hi = ReadU32LE();
      return static_cast<long double>(static_cast<int64_t>(lo | (hi << 32))) / 10000;
    }
    default:
      if (IsIntegerType(t)) return static_cast<long double>(ReadOrdinalValue(t));
      InvalidValue();
  }
}

std::u16string TReader::ReadStringValue(TValueType type, bool& wide) {
  wide = false;
  switch (type) {
    case vaString:
      return WidenLatin1(ReadStr());
    case vaLString:
      return WidenLatin1(ReadRawBytes(ReadU32LE()));
    case vaUTF8String:
      wide = true;
      return Utf8ToUtf16(ReadRawBytes(ReadU32LE()));
    case vaWString: {
      wide = true;
      uint64_t n = ReadU32LE();
      std::string bytes = ReadRawBytes(n * 2);
      std::u16string out(static_cast<size_t>(n), u'\0');
      for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                       (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
      return out;
    }
    default:
      InvalidValue();
  }
}

std::string TReader::ReadString() {
  bool wide;
  return NarrowLatin1(ReadStringValue(ReadValue(), wide));
}

std::u16string TReader::ReadWideString() {
  bool wide;
  return ReadStringValue(ReadValue(), wide);
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      InvalidValue();
  }
}

void TReader::SkipValue() {
  Skip(0);
}

void TReader::Skip(int depth) {
  if (depth > kMaxStreamDepth) TooDeep();
  TValueType t = ReadValue();
  switch (t) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      break;
    case vaList:
      while (!EndOfList()) Skip(depth + 1);
      ReadListEnd();
      break;
    case vaInt8:
      SkipBytes(1);
      break;
    case vaInt16:
      SkipBytes(2);
      break;
    case vaInt32:
    case vaSingle:
      SkipBytes(4);
      break;
    case vaInt64:
    case vaDouble:
    case vaCurrency:
    case vaDate:
      SkipBytes(8);
      break;
    case vaExtended:
      SkipBytes(10);
      break;
    case vaString:
    case vaIdent:
      SkipBytes(ReadByte());
      break;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
      SkipBytes(ReadU32LE());
      break;
    case vaWString:
      SkipBytes(uint64_t{ReadU32LE()} * 2);
      break;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      break;
    case vaCollection:
      while (!EndOfList()) {
        if (IsIntegerType(NextValue())) ReadInt64();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          Skip(depth + 1);
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
  }
}

void TReader::DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                             const std::function<void(TWriter&)>&, bool) {
  if (read && !pending_.empty() && SameText(name, pending_)) {
    pending_.clear();
    read(*this);
  }
}

void TReader::DefineBinaryProperty(const std::string& name,
                                   const std::function<void(TStream&)>& read,
                                   const std::function<void(TStream&)>&, bool) {
  if (!read || pending_.empty() || !SameText(name, pending_)) return;
  pending_.clear();
  if (ReadValue() != vaBinary) InvalidValue();
  std::string bytes = ReadRawBytes(ReadU32LE());
  TMemoryStream data;
  data.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  data.SetPosition(0);
  read(data);
}

void TReader::ReadSignature() {
  char sig[4];
  ReadRaw(sig, 4);
  if (std::memcmp(sig, kFilerSignature, 4) != 0) InvalidFormat();
}

// Streams written by the framework's designers may put a flags byte (0xF0 |
// flags) before a component, followed by a child position when flag 2 is set.
void TReader::ReadFlagsPrefix() {
  if ((PeekByte() & 0xF0) == 0xF0) {
    uint8_t flags = ReadByte() & 0x0F;
    if (flags & 2) ReadInt64();
  }
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  ReadSignature();
  ReadFlagsPrefix();
  std::string class_name = ReadStr();
  std::string name = ReadStr();
  std::unique_ptr<TComponent> created;
  if (!root) {
    TClass cls = FindClass(class_name);
    if (!cls->IsComponentClass()) InvalidFormat();
    created.reset(cls->CreateComponent(nullptr));
    root = created.get();
  }
  root_ = root;
  loaded_.clear();
  fixups_.clear();
  loaded_.push_back(root);
  try {
    root->SetState(csLoading, true);
    root->SetState(csReading, true);
    root->SetName(name);
    while (!EndOfList()) ReadProperty(root, 0);
    ReadListEnd();
    while (!EndOfList()) ReadComponent(root, 1);
    ReadListEnd();
    ResolveFixups();
    for (TComponent* c : loaded_) c->SetState(csReading, false);
    std::vector<TComponent*> loaded;
    loaded.swap(loaded_);
    for (TComponent* c : loaded) c->Loaded();
  } catch (...) {
    if (!created)
      for (TComponent* c : loaded_) {
        c->SetState(csReading, false);
        c->SetState(csLoading, false);
      }
    loaded_.clear();
    fixups_.clear();
    throw;
  }
  return created ? created.release() : root;
}

TComponent* TReader::ReadComponent(TComponent* parent, int depth) {
  if (depth > kMaxStreamDepth) TooDeep();
  ReadFlagsPrefix();
  std::string class_name = ReadStr();
  std::string name = ReadStr();
  TClass cls = FindClass(class_name);
  if (!cls->IsComponentClass()) InvalidFormat();
  TComponent* c = cls->CreateComponent(root_);  // owned by the root, as a form owns its controls
  loaded_.push_back(c);
  c->SetState(csLoading, true);
  c->SetState(csReading, true);
  c->SetName(name);
  c->SetParentComponent(parent);
  while (!EndOfList()) ReadProperty(c, 0);
  ReadListEnd();
  while (!EndOfList()) ReadComponent(c, depth + 1);
  ReadListEnd();
  return c;
}

void TReader::ReadProperty(TPersistent* instance, int depth) {
  std::string name = ReadStr();
  ++prop_nesting_;
  try {
    TPersistent* target = instance;
    std::string_view rest = name;
    size_t dot;
    // A dotted name walks down published objects. Where the path leaves
    // them (a part that is no object property), the rest of the name, dots
    // and all, is offered to the last object's own defined properties: a
    // component may store a member that is no persistent object of its own
    // ("Glyph.Data").
    while ((dot = rest.find('.')) != std::string_view::npos) {
      const TPropInfo* p = target->ClassType().FindProperty(rest.substr(0, dot));
      TPersistent* sub =
          p && p->Kind == TPropKind::Object && p->GetObj ? p->GetObj(*target) : nullptr;
      if (!sub) break;
      target = sub;
      rest.remove_prefix(dot + 1);
    }
    if (rest.empty() || rest.back() == '.')
      throw EReadError("Property " + name + " does not exist");
    const TPropInfo* prop =
        rest.find('.') == std::string_view::npos ? target->ClassType().FindProperty(rest) : nullptr;
    if (prop && prop->Writable()) {
      ReadPropValue(target, *prop, depth);
    } else {
      pending_ = std::string(rest);
      target->DefineProperties(*this);
      if (!pending_.empty()) {
        pending_.clear();
        throw EReadError("Property " + name + " does not exist");
      }
    }
  } catch (const Exception& e) {
    if (--prop_nesting_ > 0) throw;
    throw EReadError("Error reading " + ComponentLabel(instance) + "." + name + ": " + e.Message());
  }
  --prop_nesting_;
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop, int depth) {
  switch (prop.Kind) {
    case TPropKind::Integer: {
      TValueType t = ReadValue();
      int64_t v;
      if (t == vaIdent) {
        if (!prop.ValueOfIdent(ReadStr(), v)) InvalidValue();
      } else {
        v = ReadOrdinalValue(t);
      }
      if (v < prop.Min || v > prop.Max) InvalidValue();
      prop.SetOrd(*instance, v);
      break;
    }
    case TPropKind::Boolean:
      prop.SetOrd(*instance, ReadBoolean() ? 1 : 0);
      break;
    case TPropKind::Enumeration: {
      int64_t v;
      if (!prop.ValueOfIdent(ReadIdent(), v)) InvalidValue();
      prop.SetOrd(*instance, v);
      break;
    }
    case TPropKind::Set: {
      if (ReadValue() != vaSet) InvalidValue();
      uint64_t bits = 0;
      for (std::string s = ReadStr(); !s.empty(); s = ReadStr()) {
        int64_t v;
        if (!prop.ValueOfIdent(s, v) || v > 63) InvalidValue();
        bits |= uint64_t{1} << v;
      }
      prop.SetOrd(*instance, static_cast<int64_t>(bits));
      break;
    }
    case TPropKind::Float:
      prop.SetFloat(*instance, ReadFloat());
      break;
    case TPropKind::String:
      prop.SetString(*instance, ReadString());
      break;
    case TPropKind::WideString:
      prop.SetWide(*instance, ReadWideString());
      break;
    case TPropKind::Object: {
      TPersistent* obj = prop.GetObj(*instance);
      TValueType t = NextValue();
      if (auto* coll = dynamic_cast<TCollection*>(obj); coll && t == vaCollection) {
        ReadCollection(*coll, depth + 1);
      } else if (t == vaNil && prop.SetObj) {
        ReadValue();
        prop.SetObj(*instance, nullptr);
      } else {
        InvalidValue();
      }
      break;
    }
    case TPropKind::Component: {
      TValueType t = ReadValue();
      if (t == vaNil)
        prop.SetObj(*instance, nullptr);
      else if (t == vaIdent)
        fixups_.push_back({instance, &prop, ReadStr()});
      else
        InvalidValue();
      break;
    }
    case TPropKind::Event: {
      TValueType t = ReadValue();
      std::string method;
      if (t == vaIdent)
        method = ReadStr();
      else if (t != vaNil)
        InvalidValue();
      if (!prop.SetMethod(*instance, root_, method)) InvalidValue();
      break;
    }
  }
}

void TReader::ReadCollection(TCollection& collection, int depth) {
  if (depth > kMaxStreamDepth) TooDeep();
  ReadValue();  // vaCollection
  collection.BeginUpdate();
  try {
    // The items about to go may wait for references (a property written
    // twice): forget those before the items are destroyed.
    std::erase_if(fixups_, [&](const Fixup& f) {
      for (TPersistent* p = f.instance; p; p = p->GetOwner())
        if (p == &collection) return true;
      return false;
    });
    collection.Clear();
    while (!EndOfList()) {
      if (IsIntegerType(NextValue())) ReadInt64();  // the item's stored order
      TCollectionItem* item = collection.Add();
      ReadListBegin();
      while (!EndOfList()) ReadProperty(item, depth);
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    collection.EndUpdate();
    throw;
  }
  collection.EndUpdate();
}

// References name a component owned by the root, the root itself, or
// "Root.Component"; a name that matches nothing leaves the reference nil.
void TReader::ResolveFixups() {
  for (const Fixup& f : fixups_) {
    std::string_view name = f.name;
    TComponent* found = nullptr;
    size_t dot = name.find('.');
    if (dot == std::string_view::npos) {
      found = SameText(root_->Name(), name) ? root_ : root_->FindComponent(name);
    } else if (SameText(root_->Name(), name.substr(0, dot))) {
      found = root_->FindComponent(name.substr(dot + 1));
    }
    if (found && f.prop->ValueClass() && !found->InheritsFrom(*f.prop->ValueClass()))
      found = nullptr;
    try {
      f.prop->SetObj(*f.instance, found);
    } catch (const Exception& e) {
      throw EReadError("Error reading " + ComponentLabel(f.instance) + "." + f.prop->Name + ": " +
                       e.Message());
    }
  }
  fixups_.clear();
}

}  // namespace kiv
