#pragma once
// Exceptions of the engine. Their messages are fixed English texts that
// callers and tests rely on word for word.
#include <stdexcept>
#include <string>

namespace gradoir {

// Misuse detected by an internal consistency check (an unpaired endUpdate).
class AssertionFailed : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Storage or size problems of a bitmap ("Can't allocate the DIB handle" ...).
class BitmapError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Bad arguments to the transfer routines ("Source rectangle is invalid" ...).
class TransformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace gradoir
