// The drawing layer's exceptions. Each carries a fixed message text; callers
// tell failures apart by class.
#pragma once

#include <exception>
#include <string>

#include "platform/win32.h"

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};

class EOutOfMemory : public Exception {
 public:
  using Exception::Exception;
};

class EOutOfResources : public EOutOfMemory {
 public:
  using EOutOfMemory::EOutOfMemory;
  // The system's text for an error code; "Out of system resources" when the
  // code is 0 or the system has no text for it.
  static EOutOfResources FromErrorCode(DWORD code);
  static EOutOfResources FromLastError() { return FromErrorCode(GetLastError()); }
};

class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// The system's text for an error code, without its line break; empty when
// the system has none.
std::string SystemErrorText(DWORD code);
