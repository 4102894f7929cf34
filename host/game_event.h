// game_event.h: the codes of the events the host sends to the delegate.
#pragma once

#include "runtime/object.h"

class c_KxGameEvent : public Object {
public:
	static const int EVENT_KEY_DOWN = 1;
	static const int EVENT_KEY_UP = 2;
	static const int EVENT_KEY_CHAR = 3;
	static const int EVENT_MOUSE_DOWN = 4;
	static const int EVENT_MOUSE_UP = 5;
	static const int EVENT_MOUSE_MOVE = 6;
	static const int EVENT_TOUCH_DOWN = 7;
	static const int EVENT_TOUCH_UP = 8;
	static const int EVENT_TOUCH_MOVE = 9;
	static const int EVENT_MOTION_ACCEL = 10;
};
