#pragma once
// How a program ends: a normal end exits 0, a fatal error 1. The handler is replaceable so
// tests can see the end without the process going away.
#include <functional>

struct ProgramEnded {
    int status;
};

// Journals "exit <status>", runs the end handler (by default: flush and exit the process).
[[noreturn]] void EndProgram(int status);

// The handler must not return (the test one throws ProgramEnded); nullptr restores the default.
void setEndHandler(std::function<void(int)> handler);

// SIGTERM, SIGINT and SIGHUP (unless SIGHUP is ignored, as under nohup) call onTerminate on
// the GUI thread (once); the program then closes as its close box would.
void installTerminationHandler(std::function<void()> onTerminate);

// True once a termination signal has reached the GUI thread: nobody is there to answer a question.
bool TerminationRequested();
