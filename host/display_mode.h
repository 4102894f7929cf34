// display_mode.h: window sizes the host can show, as the application sees them
// (c_DisplayMode) and as the host reports them (KxDisplayMode).
#pragma once

#include "runtime/object.h"

class c_DisplayMode : public Object {
public:
	int m__width = 0;
	int m__height = 0;

	c_DisplayMode* m_new(int width, int height) {
		m__width = width;
		m__height = height;
		return this;
	}
};

class KxDisplayMode : public Object {
public:
	int width = 0;
	int height = 0;
	int depth = 0;
	int hertz = 0;
	int flags = 0;
};
