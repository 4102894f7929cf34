// object.cpp: default behaviour of script objects.
#include "runtime/object.h"

#include <cstdint>

// Two objects are equal only when they are the same object.
bool Object::Equals(Object* other) {
	return this == other;
}

// Orders objects by address.
int Object::Compare(Object* other) {
	return static_cast<int>(reinterpret_cast<intptr_t>(this) - reinterpret_cast<intptr_t>(other));
}

// "+Object" and a line end.
String Object::debug() {
	return String("+Object\n");
}
