// A value or the error that kept it from being made: what a service returns when it has something
// to hand back, where a plain std::error_code answers services that only act.
#pragma once

#include <cassert>
#include <system_error>
#include <utility>
#include <variant>

namespace zendrift::platform {

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}  // NOLINT(google-explicit-constructor): returned as is
  Result(std::error_code error) : state_(error) { assert(error); }  // NOLINT(google-explicit-constructor)

  bool hasValue() const noexcept { return std::holds_alternative<T>(state_); }
  explicit operator bool() const noexcept { return hasValue(); }

  // The value; only when there is one.
  const T& value() const& {
    assert(hasValue());
    return std::get<T>(state_);
  }
  T&& value() && {
    assert(hasValue());
    return std::get<T>(std::move(state_));
  }
  const T& operator*() const& { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  const T* operator->() const { return &value(); }

  T valueOr(T fallback) const& { return hasValue() ? value() : std::move(fallback); }

  friend bool operator==(const Result& result, const T& value) { return result.hasValue() && result.value() == value; }

  // The error; none when there is a value.
  std::error_code error() const noexcept { return hasValue() ? std::error_code() : std::get<std::error_code>(state_); }

 private:
  std::variant<T, std::error_code> state_;
};

}  // namespace zendrift::platform
