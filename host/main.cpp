// main.cpp: the process entry of the game binary.
#include "host/kx_game.h"

int main(int argc, const char** argv) {
	KxVelmarGame::Main(argc, argv);
	return 0;
}
