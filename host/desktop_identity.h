// desktop_identity.h: how the desktop knows the game's windows.
//
// Docks, task bars and window switchers match a window to the game's desktop
// entry by its window class (the entry's StartupWMClass), and show the icon
// the window carries.
#pragma once

// The window class and instance of every game window.
constexpr const char* WINDOW_CLASS = "Zimbolo";
constexpr const char* WINDOW_INSTANCE = "zimbolo";

// Gives every window the host opens from now on the game's class, and its
// icon from velmar://data/icon/ in the sizes desktops ask for. A size whose
// file is missing or damaged is left out; without any, the windows have no
// icon. Needs the host object (KxGame::_game) for the files.
void kxSetDesktopIdentity();
