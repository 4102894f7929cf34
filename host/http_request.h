// http_request.h: the callback interface of finished web requests.
//
// An object that starts a web request receives the finished request through
// this interface. Nothing in the game starts one; the game object implements it
// because the framework's application template does.
#pragma once

#include "runtime/object.h"

class c_HttpRequest;

class c_IOnHttpRequestComplete : public virtual gc_interface {
public:
	// Called once when a request has finished.
	virtual int p_OnHttpRequestComplete(c_HttpRequest* request) = 0;
};
