#pragma once
// The framework's exception classes. Every failure the library reports is one
// of these, carrying the product's message text; callers catch `Exception` to
// show the message (the application's standard error box does exactly that).
#include <exception>
#include <string>
#include <utility>

namespace kiv {

// The general exception class: resource failures and anything without a more
// specific class ("Can't allocate the DIB handle").
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

#define KIV_DECLARE_EXCEPTION(Name, Base)      \
  class Name : public Base {                   \
   public:                                     \
    using Base::Base;                          \
  }

KIV_DECLARE_EXCEPTION(EConvertError, Exception);       // text to number/colour/identifier
KIV_DECLARE_EXCEPTION(EInvalidOperation, Exception);   // operation not allowed in this state
KIV_DECLARE_EXCEPTION(EAssertionFailed, Exception);    // "Assertion failure" + unit name
KIV_DECLARE_EXCEPTION(EOutOfResources, Exception);     // platform handle could not be made
KIV_DECLARE_EXCEPTION(EInvalidGraphic, Exception);     // picture data a decoder refuses
KIV_DECLARE_EXCEPTION(EStreamError, Exception);        // streams in general
KIV_DECLARE_EXCEPTION(EReadError, EStreamError);       // "Stream read error" and malformed data
KIV_DECLARE_EXCEPTION(EWriteError, EStreamError);      // "Stream write error"
KIV_DECLARE_EXCEPTION(EFOpenError, EStreamError);      // a file stream could not open its file
KIV_DECLARE_EXCEPTION(EFCreateError, EStreamError);    // a file stream could not create its file
KIV_DECLARE_EXCEPTION(EFilerError, EStreamError);      // component streams: unknown class, property
KIV_DECLARE_EXCEPTION(EClassNotFound, EFilerError);    // "Class X not found"
KIV_DECLARE_EXCEPTION(EParserError, EReadError);       // component text form: "X expected on line N"
KIV_DECLARE_EXCEPTION(EInvalidCast, Exception);        // assignment between unrelated classes
KIV_DECLARE_EXCEPTION(EListError, Exception);          // list index out of bounds
KIV_DECLARE_EXCEPTION(EComponentError, Exception);     // duplicate or invalid component names
KIV_DECLARE_EXCEPTION(EZlibError, EStreamError);       // compression streams
KIV_DECLARE_EXCEPTION(ECompressionError, EZlibError);
KIV_DECLARE_EXCEPTION(EDecompressionError, EZlibError);

#undef KIV_DECLARE_EXCEPTION

// Raises EListError "List index out of bounds (N)".
[[noreturn]] inline void ListIndexError(int index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// Raises EAssertionFailed with "Assertion failure" and the unit name when a
// consistency check fails: KivAssert(ok, "kiv_bitmap").
inline void KivAssert(bool condition, const char* unit) {
  if (!condition) throw EAssertionFailed(std::string("Assertion failure (") + unit + ")");
}

}  // namespace kiv
