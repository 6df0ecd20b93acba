// Errors of the engine carry the product's message text (UTF-8), ready for a message box.
#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace velmora
