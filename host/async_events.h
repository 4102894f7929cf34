// async_events.h: the pump for asynchronous event sources (finished loads and
// requests). The game registers none; the pump runs once per update.
#pragma once

#include "runtime/containers.h"
#include "runtime/object.h"

class c_IAsyncEventSource : public virtual gc_interface {
public:
	virtual void p_UpdateAsyncEvents() = 0;
};

extern c_Stack2* kx_asyncevent__sources;
extern c_IAsyncEventSource* kx_asyncevent__current;

// Lets every registered source deliver its finished events.
int kx_asyncevent_UpdateAsyncEvents();
