// x11_spot.cpp: where something bright is in a part of a window, so that a
// scenario can follow a ball on the screen.
//
// Usage: x11_spot WINDOW-ID X Y W H [MIN [FOLLOW-SECONDS POINTER-X]]. Looks at
// the rectangle X, Y, W, H of the window for pixels whose red, green and blue
// are all at least MIN (default 200) and prints the centre of those pixels and
// their count as "X Y COUNT", or "none" when there is no such pixel. The
// rectangle is cut at the window's edges.
//
// With FOLLOW-SECONDS the tool plays with the mouse for that long instead: it
// looks again and again and moves the pointer to POINTER-X and the height of
// every spot it finds, as a player's hand follows a ball. It stops sooner
// when a spot it followed has been out of sight for a second (the ball was
// lost). It then prints how many looks it took, how many found a spot, and
// why it stopped, as "LOOKS FOUND time" or "LOOKS FOUND lost".
// NOTE: following is done here, in one process, rather than by a script that
// starts a look and a pointer move per step: on a busy machine those steps
// come a second apart, and a paddle steered so late misses the ball.
#include "x11_grab.h"
#include "x11_wm.h"

namespace {

// Pixels this bright on every channel count.
const int DEFAULT_MIN = 200;
// Pause between two looks while following, in nanoseconds.
const long FOLLOW_PAUSE_NS = 10 * 1000 * 1000;
// A followed spot out of sight this long is lost.
// NOTE: a ball passes out of the looked-at part near the paddle and the far
// wall for a few frames, several times as long on a busy machine.
const double LOST_SECONDS = 1;

// A spot: the centre of the bright pixels and their count.
struct Spot {
	long x = 0;
	long y = 0;
	long count = 0;
};

// The bright pixels of a grab, with the centre in window points.
Spot FindSpot(const Grab& grab, int left, int top, int min) {
	Spot spot;
	long sumX = 0, sumY = 0;
	for (int y = 0; y < grab.height; ++y) {
		for (int x = 0; x < grab.width; ++x) {
			const unsigned char* p = grab.At(x, y);
			if (p[0] < min || p[1] < min || p[2] < min) continue;
			sumX += x;
			sumY += y;
			++spot.count;
		}
	}
	if (spot.count == 0) return spot;
	spot.x = std::max(0, left) + sumX / spot.count;
	spot.y = std::max(0, top) + sumY / spot.count;
	return spot;
}

// Follows the spot with the pointer for a while, or until it is lost;
// prints the looks, the finds and why it stopped.
int Follow(Display* display, Window window, const int area[4], int min, double seconds, int pointerX) {
	long looks = 0, found = 0;
	const timespec pause = {0, FOLLOW_PAUSE_NS};
	double lastSeen = 0;
	const char* reason = "time";
	for (double end = WmNow() + seconds; WmNow() < end; nanosleep(&pause, nullptr)) {
		Grab grab;
		if (!GrabArea(display, window, area[0], area[1], area[2], area[3], grab)) return 1;
		++looks;
		Spot spot = FindSpot(grab, area[0], area[1], min);
		if (spot.count == 0) {
			if (found == 0 || WmNow() - lastSeen < LOST_SECONDS) continue;
			reason = "lost";
			break;
		}
		++found;
		lastSeen = WmNow();
		XWarpPointer(display, None, window, 0, 0, 0, 0, pointerX, static_cast<int>(spot.y));
		XFlush(display);
	}
	std::printf("%ld %ld %s\n", looks, found, reason);
	return 0;
}

}  // namespace

// Grabs the window and prints the centre of its bright pixels in the
// rectangle, or follows them.
int main(int argc, char** argv) {
	if (argc != 6 && argc != 7 && argc != 9) {
		std::fprintf(stderr, "usage: x11_spot WINDOW-ID X Y W H [MIN [FOLLOW-SECONDS POINTER-X]]\n");
		return 2;
	}
	Display* display = XOpenDisplay(nullptr);
	if (!display) {
		std::fprintf(stderr, "x11_spot: no display\n");
		return 1;
	}
	Window window = std::strtoul(argv[1], nullptr, 0);
	int area[4];
	for (int i = 0; i < 4; ++i) area[i] = std::atoi(argv[2 + i]);
	int min = argc > 6 ? std::atoi(argv[6]) : DEFAULT_MIN;
	int status = 0;
	Grab grab;
	if (argc == 9) {
		status = Follow(display, window, area, min, std::atof(argv[7]), std::atoi(argv[8]));
	} else if (!GrabArea(display, window, area[0], area[1], area[2], area[3], grab)) {
		status = 1;
	} else {
		Spot spot = FindSpot(grab, area[0], area[1], min);
		if (spot.count == 0) {
			std::printf("none\n");
		} else {
			std::printf("%ld %ld %ld\n", spot.x, spot.y, spot.count);
		}
	}
	XCloseDisplay(display);
	return status;
}
