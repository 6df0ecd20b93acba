// What a filter step does with the combinations that have one of the selected values. The product
// names the choice differently at its edges (a step's "StatFilter_Include", the dialog's
// "KeepSelected", a command's "Remove"); inside the engine it is always this enum.
#pragma once

#include <cstdint>

namespace velmora {

enum class TFilterAction : uint8_t { Keep, Delete };

// The action of a deleting flag (remove, Include) or of a keeping one.
constexpr TFilterAction FilterActionOf(bool remove) { return remove ? TFilterAction::Delete : TFilterAction::Keep; }
constexpr bool IsDelete(TFilterAction a) { return a == TFilterAction::Delete; }

} // namespace velmora
