// Standard input, output and error of a windowed-application program, made to work as a console
// program's do, so that the command line behaves as it does on Linux.
#pragma once

// What the program was started with stays: a pipe or a file keeps its output. The streams
// that have nothing behind them (started from a console without redirection, where a windowed
// program gets no handles) go to the console of the parent process, when there is one.
// Output is binary, so that lines end in LF as on Linux; input from a pipe or a file is
// binary too, and its line ends are left to the line reader.
void connectStandardStreams();
