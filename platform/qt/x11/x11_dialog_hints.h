// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fixed-size dialog tells an X11 window manager that it has nothing to
// minimise or maximise. The toolkit says so itself only for a dialog with a
// close box; for one without, it leaves every decoration to the window
// manager, which then adds both buttons. Does nothing on other platforms.
class QWidget;

// Call once the dialog's native window exists and before it is shown.
void DeclineMinimiseAndMaximise(QWidget& dialog, bool closeBox);
