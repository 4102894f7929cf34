// pending_screens.cpp: the screens of later work.
#include "game/my_app.h"

int c_MyApp::p_Menu() {
	return 0;
}

int c_MyApp::p_OptionBox() {
	return 0;
}

int c_MyApp::p_PauseMenu() {
	return 0;
}

int c_MyApp::p_OuyaQuit() {
	return 0;
}

int c_MyApp::p_CreditBox() {
	return 0;
}
