// async_events.cpp: the asynchronous event pump.
#include "host/async_events.h"

c_Stack2* kx_asyncevent__sources;
c_IAsyncEventSource* kx_asyncevent__current;

// A source that removes itself clears the current source, so the same index
// is visited again.
int kx_asyncevent_UpdateAsyncEvents() {
	if (kx_asyncevent__current) return 0;
	int i = 0;
	while (i < kx_asyncevent__sources->m_length) {
		gc_assign(kx_asyncevent__current, kx_asyncevent__sources->m_data[i]);
		kx_asyncevent__current->p_UpdateAsyncEvents();
		if (kx_asyncevent__current) i += 1;
	}
	kx_asyncevent__current = nullptr;
	return 0;
}
