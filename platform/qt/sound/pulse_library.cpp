// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/sound/pulse_library.h"

#include <dlfcn.h>

namespace {
const PulseLibrary* Load() {
  void* handle = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  static PulseLibrary library;
#define KAROBLEN_PULSE_RESOLVE(name)                                        \
  library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
  if (!library.name) return nullptr;
  KAROBLEN_PULSE_FUNCTIONS(KAROBLEN_PULSE_RESOLVE)
#undef KAROBLEN_PULSE_RESOLVE
  return &library;
}
}  // namespace

const PulseLibrary* LoadPulseLibrary() {
  static const PulseLibrary* const library = Load();
  return library;
}
