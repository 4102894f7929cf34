// gxtk_graphics.h: the graphics device the delegate creates and brackets
// every render with.
#pragma once

#include "runtime/object.h"

class gxtkGraphics : public Object {
public:
	gxtkGraphics();
	// Starts a frame; 1 when rendering may proceed.
	virtual int BeginRender();
	// Ends a frame.
	virtual void EndRender();
	// Drops every GL object.
	virtual void DiscardGraphics();
};
