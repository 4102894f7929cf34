// object.h: the root classes of script code.
//
// Object is the base of every translated class; ThrowableObject is what script
// exceptions are thrown as; gc_interface is the separate root of interfaces,
// which a class takes as a further, virtual base.
#pragma once

#include "runtime/gc.h"
#include "runtime/kx_string.h"

class Object : public gc_object {
public:
	Object() = default;
	explicit Object(gc_static_tag tag) : gc_object(tag) {}

	// Identity.
	virtual bool Equals(Object* other);
	// The difference of the two addresses (its sign orders objects).
	virtual int Compare(Object* other);
	// The debugger's view of the object.
	virtual String debug();
};

class ThrowableObject : public Object {};

class gc_interface {
public:
	virtual ~gc_interface() = default;
};
