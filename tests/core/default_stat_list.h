// The statistic list of the default settings, built once for the tests that only read it
// (filter texts, script lines).
#pragma once

#include "core/stats/stat_list.h"

namespace velmora::test {

inline const TStatList& DefaultStatList() {
    static const TStatList list = [] {
        TStatList l;
        l.Build();
        return l;
    }();
    return list;
}

} // namespace velmora::test
