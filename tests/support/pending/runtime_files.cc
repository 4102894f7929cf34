// runtime_files.cc: fallback file operations of the host object, linked into
// the test programs only while runtime/files.cpp is not in the tree.
#include "host/kx_game.h"

int KxGame::SaveState(String) {
	return 0;
}

String KxGame::LoadState() {
	return String();
}

String KxGame::LoadString(String) {
	return String();
}

String KxGame::PathToFilePath(String path) {
	return path;
}

FILE* KxGame::OpenFile(String, String) {
	return nullptr;
}

unsigned char* KxGame::LoadData(String, int*) {
	return nullptr;
}

String KxGlfwGame::PathToFilePath(String path) {
	return path;
}

String kx_data_FixDataPath(String path) {
	return path;
}
