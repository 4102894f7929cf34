// OpenUrl: xdg-open with the URL as one argument, no shell, no waiting.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "host/kx_game.h"

namespace {

// Reads a whole file, or "" when it does not exist.
std::string readFile(const std::string& path) {
	std::ifstream in(path);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}

// Children of this process that have ended and wait to be reaped.
int zombieChildren() {
	int zombies = 0;
	DIR* proc = opendir("/proc");
	for (dirent* entry = readdir(proc); entry; entry = readdir(proc)) {
		std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
		std::string line;
		if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) continue;
		std::istringstream fields(line.substr(line.rfind(')') + 1));
		char state = 0;
		int parent = 0;
		fields >> state >> parent;
		if (parent == getpid() && state == 'Z') ++zombies;
	}
	closedir(proc);
	return zombies;
}

// A directory with a fake xdg-open first on PATH; it writes its arguments
// to a file after a pause.
class OpenUrl : public ::testing::Test {
protected:
	std::string dir;
	std::string savedPath;

	void SetUp() override {
		char pattern[] = "/tmp/zimbolo-open-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		dir = pattern;
		std::ofstream script(dir + "/xdg-open");
		script << "#!/bin/sh\nsleep 1\nprintf '%s|' \"$#\" \"$@\" > \"" << dir << "/args.tmp\"\nmv \"" << dir
		       << "/args.tmp\" \"" << dir << "/args\"\n";
		script.close();
		chmod((dir + "/xdg-open").c_str(), 0755);
		savedPath = getenv("PATH");
		setenv("PATH", (dir + ":" + savedPath).c_str(), 1);
	}
	void TearDown() override {
		setenv("PATH", savedPath.c_str(), 1);
		std::string cleanup = "rm -rf '" + dir + "'";
		EXPECT_EQ(system(cleanup.c_str()), 0);
	}
	// Waits up to five seconds for the fake opener's record.
	std::string WaitForArgs() {
		for (int i = 0; i < 100; ++i) {
			std::string args = readFile(dir + "/args");
			if (!args.empty()) return args;
			std::this_thread::sleep_for(std::chrono::milliseconds(50));
		}
		return std::string();
	}
};

}  // namespace

TEST_F(OpenUrl, UrlIsOneArgumentAndNeverShellText) {
	KxGlfwGame host;
	std::string url = "http://example.com/a b?x=1;touch " + dir + "/pwned&y=$(id)'\"";
	host.OpenUrl(String(url.c_str()));
	// The opener pauses a second before writing: OpenUrl has not waited.
	EXPECT_EQ(readFile(dir + "/args"), "");
	EXPECT_EQ(WaitForArgs(), "1|" + url + "|");
	EXPECT_NE(access((dir + "/pwned").c_str(), F_OK), 0);
}

TEST_F(OpenUrl, MissingOpenerIsIgnored) {
	setenv("PATH", dir.c_str(), 1);
	unlink((dir + "/xdg-open").c_str());
	KxGlfwGame host;
	host.OpenUrl(String("http://example.com/"));
	host.OpenUrl(String("http://example.com/again"));
	SUCCEED();
}

TEST_F(OpenUrl, EndedOpenersAreReapedByTheNextCall) {
	KxGlfwGame host;
	host.OpenUrl(String("http://example.com/first"));
	ASSERT_FALSE(WaitForArgs().empty());
	for (int i = 0; i < 100 && zombieChildren() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
	EXPECT_EQ(zombieChildren(), 1);
	unlink((dir + "/args").c_str());
	host.OpenUrl(String("http://example.com/second"));
	EXPECT_EQ(zombieChildren(), 0);
	EXPECT_EQ(WaitForArgs(), "1|http://example.com/second|");
}
