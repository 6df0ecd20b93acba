#include "core/util/progress.h"

namespace velmora {

TProgressSink& NullProgress() {
    static TProgressSink sink;
    return sink;
}

} // namespace velmora
