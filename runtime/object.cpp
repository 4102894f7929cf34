// object.cpp: default behaviour of script objects.
#include "runtime/object.h"

#include <climits>
#include <cstdint>

// Two objects are equal only when they are the same object.
bool Object::Equals(Object* other) {
	return this == other;
}

// Orders objects by address.
// NOTE: 64-bit addresses can lie further apart than an int reaches; the
// difference is saturated so that its sign always gives the order.
int Object::Compare(Object* other) {
	intptr_t d = reinterpret_cast<intptr_t>(this) - reinterpret_cast<intptr_t>(other);
	if (d > INT_MAX) return INT_MAX;
	if (d < -INT_MAX) return -INT_MAX;
	return static_cast<int>(d);
}

// "+Object" and a line end.
String Object::debug() {
	return String("+Object\n");
}
