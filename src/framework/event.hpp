#pragma once
// Event properties: a handler and the object it belongs to.
#include <functional>
#include <string>
#include <utility>

namespace kiv {

class TObject;

// An event property: a handler and the object it belongs to. When set from a
// stream, MethodName holds the name of the root component's method.
template <class Sig>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Function = std::function<R(A...)>;
  Function Handler;
  TObject* Data = nullptr;
  std::string MethodName;

  explicit operator bool() const { return static_cast<bool>(Handler); }
  R operator()(A... args) const { return Handler(std::forward<A>(args)...); }
  template <class C>
  void Bind(C* object, R (C::*method)(A...), std::string name = {}) {
    Handler = [object, method](A... args) -> R {
      return (object->*method)(std::forward<A>(args)...);
    };
    Data = object;
    MethodName = std::move(name);
  }
  void Clear() {
    Handler = nullptr;
    Data = nullptr;
    MethodName.clear();
  }
};

using TNotifyEvent = TEvent<void(TObject* sender)>;

}  // namespace kiv
