#pragma once
// A value or a message for the user (Japanese), for operations that can fail
// on bad input or on the file system without ending the program.

#include <QString>

#include <optional>
#include <utility>

namespace kelvane {

struct Failure {
  QString message;
};

template <class T>
class [[nodiscard]] Expected {
 public:
  Expected(T value) : value_(std::move(value)) {}
  Expected(Failure failure) : message_(std::move(failure.message)) {}

  [[nodiscard]] bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  [[nodiscard]] const T& value() const& { return *value_; }
  [[nodiscard]] T& value() & { return *value_; }
  [[nodiscard]] T&& value() && { return std::move(*value_); }
  const T& operator*() const& { return *value_; }
  T& operator*() & { return *value_; }
  const T* operator->() const { return &*value_; }
  T* operator->() { return &*value_; }
  [[nodiscard]] const QString& error() const { return message_; }

 private:
  std::optional<T> value_;
  QString message_;
};

template <>
class [[nodiscard]] Expected<void> {
 public:
  Expected() = default;
  Expected(Failure failure) : failed_(true), message_(std::move(failure.message)) {}

  [[nodiscard]] bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  [[nodiscard]] const QString& error() const { return message_; }

 private:
  bool failed_ = false;
  QString message_;
};

}  // namespace kelvane
