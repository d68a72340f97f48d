// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's pause: the user-interface thread waits, paints and timers still
// run, but mouse and keyboard input waits until the pause is over and is
// then handled in the order it arrived.
void PauseHoldingInput(int milliseconds);
