// event_log.h: a delegate that keeps the key and mouse events the host
// delivers, for tests of the host's event path.
#pragma once

#include <tuple>
#include <vector>

#include "host/kx_game.h"

// One key event: event code and key or character.
typedef std::tuple<int, int> KeyRecord;
// One mouse event: event code, button, x, y.
typedef std::tuple<int, int, float, float> MouseRecord;

class EventLog : public KxGameDelegate {
public:
	std::vector<KeyRecord> keys;
	std::vector<MouseRecord> mouse;
	void KeyEvent(int event, int data) override { keys.emplace_back(event, data); }
	void MouseEvent(int event, int data, float x, float y) override { mouse.emplace_back(event, data, x, y); }
};
