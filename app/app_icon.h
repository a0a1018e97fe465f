#pragma once

#include <QIcon>

// The window's icon in every size: the 32 x 32 design of icon.xpm at 32 pixels, and
// pictures drawn at 16, 24, 48, 64, 128 and 256 pixels from the same design, so that a
// title bar, task switcher or dock that asks for another size (or a HiDPI scale) gets a
// sharp one instead of a scaled copy.
QIcon app_icon();

// The 32 x 32 design alone, cheap to make: the window shows it until its first frame is
// on screen, then takes app_icon(), whose larger pictures would delay that frame.
QIcon design_icon();
