#pragma once
// The state of the Caps, Num and Scroll lock keys, for the status bar's
// indicators. Only an X11 desktop lets a program read it; elsewhere the
// state is unknown and the indicators stay blank.
#include <optional>

struct KeyLocks {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

std::optional<KeyLocks> ReadKeyLocks();
