// child_process.cpp: fork, pipes for the three standard streams, and a poll
// loop that feeds the input and drains both outputs until the child is done.
#include "support/child_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

// Bytes read from an output pipe at a time.
const size_t READ_CHUNK = 4096;

// The three pipes; index 0 is the read end, 1 the write end.
struct Pipes {
	int in[2];
	int out[2];
	int err[2];
};

// Wires the pipes to the child's standard streams and runs the body.
[[noreturn]] void child_main(const Pipes& p, const std::function<void()>& body) {
	dup2(p.in[0], STDIN_FILENO);
	dup2(p.out[1], STDOUT_FILENO);
	dup2(p.err[1], STDERR_FILENO);
	for (int fd : {p.in[0], p.in[1], p.out[0], p.out[1], p.err[0], p.err[1]}) close(fd);
	body();
	std::fflush(nullptr);
	_exit(0);
}

// Appends what is readable on fd to text; false once the pipe is at its end.
bool drain(int fd, std::string& text) {
	char buf[READ_CHUNK];
	ssize_t n = read(fd, buf, sizeof buf);
	if (n <= 0) return false;
	text.append(buf, static_cast<size_t>(n));
	return true;
}

// Closes a descriptor and marks it gone (poll skips negative descriptors).
void close_fd(int& fd) {
	if (fd >= 0) close(fd);
	fd = -1;
}

// Writes the next part of the input; closes the pipe when all is written.
void feed(int& fd, const std::string& input, size_t& written) {
	ssize_t n = written < input.size() ? write(fd, input.data() + written, input.size() - written) : 0;
	if (n > 0) written += static_cast<size_t>(n);
	if (n < 0 || written >= input.size()) close_fd(fd);
}

// Moves input into the child and its output out until both outputs end;
// false when nothing happens for timeoutMs.
bool pump(const Pipes& p, const std::string& input, ChildResult& result, int timeoutMs) {
	int fds[3] = {p.out[0], p.err[0], p.in[1]};
	std::string* texts[2] = {&result.out, &result.err};
	size_t written = 0;
	if (input.empty()) feed(fds[2], input, written);
	bool live = true;
	while (live && (fds[0] >= 0 || fds[1] >= 0)) {
		pollfd polls[3] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}, {fds[2], POLLOUT, 0}};
		live = poll(polls, 3, timeoutMs) > 0;
		for (int i = 0; live && i < 2; ++i) {
			if (polls[i].revents && !drain(fds[i], *texts[i])) close_fd(fds[i]);
		}
		if (live && polls[2].revents) feed(fds[2], input, written);
	}
	for (int& fd : fds) close_fd(fd);
	return live;
}

}  // namespace

// Forks, feeds and drains the child, then collects its status.
ChildResult run_in_child(const std::function<void()>& body, const std::string& input, int timeoutMs) {
	Pipes p;
	if (pipe(p.in) || pipe(p.out) || pipe(p.err)) std::abort();
	// NOTE: buffered output of the test process would otherwise be flushed a
	// second time by the child, into the captured streams.
	std::fflush(nullptr);
	// NOTE: a child that stops reading its input must not kill the test with
	// SIGPIPE; the write simply fails.
	signal(SIGPIPE, SIG_IGN);
	pid_t pid = fork();
	if (pid < 0) std::abort();
	if (pid == 0) child_main(p, body);
	close(p.in[0]);
	close(p.out[1]);
	close(p.err[1]);

	ChildResult result;
	if (!pump(p, input, result, timeoutMs)) {
		kill(pid, SIGKILL);
		result.timedOut = true;
	}
	int wstatus = 0;
	waitpid(pid, &wstatus, 0);
	result.exited = WIFEXITED(wstatus);
	result.status = result.exited ? WEXITSTATUS(wstatus) : WTERMSIG(wstatus);
	return result;
}
