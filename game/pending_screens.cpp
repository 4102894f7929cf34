// pending_screens.cpp: the screens and play routines of later work.
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

int c_MyApp::p_Game() {
	return 0;
}

int c_MyApp::p_GameOver() {
	return 0;
}

int c_MyApp::p_ShowBadges() {
	return 0;
}

int c_MyApp::p_BadgesBox() {
	return 0;
}
