#include "UserPrompts.h"

#include <cstdlib>

namespace {
UserPrompts* g_prompts = nullptr;
}

UserPrompts& Prompts() {
    if (g_prompts == nullptr) std::abort();  // the application installs one first
    return *g_prompts;
}

UserPrompts* SetPrompts(UserPrompts* prompts) {
    UserPrompts* previous = g_prompts;
    g_prompts = prompts;
    return previous;
}
