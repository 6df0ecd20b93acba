#include "core/util/translate.h"

#include <atomic>

namespace velmora {

namespace {

std::atomic<TTranslateHook> g_hook{nullptr};

} // namespace

void SetTranslateHook(TTranslateHook hook) { g_hook.store(hook); }

std::string TrText(const std::string& text) {
    if (TTranslateHook hook = g_hook.load()) {
        if (const std::string* t = hook(text)) return *t;
    }
    return text;
}

std::string Tr(const char* text) { return TrText(text); }

} // namespace velmora
