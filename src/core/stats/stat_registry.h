// The registry of statistic classes in registry order. Each family registers its classes with
// their 1-based positions in the registry table; a class not built yet is simply absent.
#pragma once

#include "core/stats/stat_framework.h"

#include <vector>

namespace velmora {

constexpr int kRegistryClassCount = 143;  // positions 1..143

struct TStatRegistryEntry {
    int Position = 0;
    const TStatClass* Class = nullptr;
};

class TStatRegistry {
public:
    // Raises std::logic_error for a position outside 1..143 or taken twice.
    void Add(int position, const TStatClass& cls);
    // The entries ordered by position.
    std::vector<TStatRegistryEntry> Entries() const;

private:
    std::vector<TStatRegistryEntry> entries_;
};

// Every registered class with its position, in registry order (built once).
const std::vector<TStatRegistryEntry>& RegisteredStatEntries();
// The classes of RegisteredStatEntries(), in registry order.
const std::vector<const TStatClass*>& RegisteredStatClasses();

} // namespace velmora
