// The one error convention of the engine.
//
// - An error is an exception carrying the product's message text (UTF-8), ready for a message box
//   ("Ошибка") or for stderr: velmora::Error, or a type derived from it that adds what a caller
//   needs to react (which field of a dialog to focus, say).
// - A function either returns its result or throws; it never signals a failure by an empty string,
//   a magic number or a flag beside the result, and the same input never does one or the other.
// - A check that only judges its input (a dialog's checks on OK, a command's arguments) is a
//   function that returns nothing and throws the first fault it finds.
// - Functions that may legitimately find nothing say so in their result type (std::optional, an
//   index of -1 documented as "none"); that is not an error.
#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace velmora
