// single_game.h: one running game per save directory.
//
// The save directory is the working directory, where the state file lives.
// Two games running there would each save their own score lists over the
// other's, so the first game started there claims the directory for as long
// as it runs, and a later start shows that game instead of running.
//
// This host claims it with a lock on a file in the directory, which the
// system drops when the process ends, however it ends, and shows the game by
// asking the window system to bring its window forward.
#pragma once

// Claims the save directory for this process, for the rest of its life (a
// second call returns what the first did). True when this process may run
// the game there: it holds the claim, or the directory cannot be claimed at
// all (the game then runs unguarded, as it would have without the claim).
// False when a running game holds it: its process id goes to *holder, or 0
// when that is not known.
bool kxClaimSaveDirectory(int* holder);

// Asks the window system to bring the window of the game that runs as
// process pid forward, as a task bar does when its entry is chosen. False
// when no window of that game was found.
bool kxShowRunningGame(int pid);
